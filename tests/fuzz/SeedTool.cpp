// morvind-fuzz-seeds FOLDER: writes the seed corpus of every fuzz target
// into FOLDER/<target>/, for the fuzz script.

#include <cstdio>

#include "fuzz/SeedCorpus.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: morvind-fuzz-seeds FOLDER\n");
    return 2;
  }
  if (!morvind::fuzz::WriteSeedCorpora(argv[1])) {
    std::fprintf(stderr, "morvind-fuzz-seeds: can't write the corpora into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
