#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzSupport.h"

namespace morvind::fuzz {

// One input of a seed corpus, in the shape its entry point reads.
struct Seed {
  std::string name;
  Bytes bytes;
};

// The seeds of a target (a name of kTargets): valid files of the demo
// congregation, the 909-publisher set, a password, plain texts, Cyrillic
// and Greek data, and empty, short, oversized and damaged files. Made by
// the test support's writer, so nothing big is kept in the repository.
std::vector<Seed> SeedsFor(std::string_view target);

// Writes every target's seeds into root/<target>/; false when a file
// can't be written.
bool WriteSeedCorpora(const std::filesystem::path& root);

// "tdat9.bin" of the demo congregation.
Bytes DemoTableFile();

}  // namespace morvind::fuzz
