// Wall time of `morvind-print --all --pdf` on the largest data set the files
// can carry (909 publishers): one process from start to the finished PDF,
// as a user runs it, for the card and for the sheet S-21 11/23. Also
// `--all --ops` for the drawing alone.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/DataWriter.h"
#include "support/DemoData.h"
#include "support/TempFolder.h"

extern char** environ;

namespace {

using namespace morvind;

const LocalDate kToday = test::kBenchmarkDate;

const test::TempFolder& FullDataSet() {
  return test::FullDataSetFolder();
}

// Runs morvind-print with `args` (stdout and stderr to /dev/null); its exit status.
int RunPrinter(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::string program = MORVIND_PRINT_BINARY;
  argv.push_back(program.data());
  std::vector<std::string> copies = args;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

void RunAll(benchmark::State& state, const char* outputOption, const char* fileName,
            const char* form = "10/15") {
  const test::TempFolder& data = FullDataSet();
  const std::filesystem::path output = data.File(fileName);
  const std::vector<std::string> args = {"--all",
                                         "--data",
                                         data.Path().string(),
                                         "--date",
                                         "2024-10-01",
                                         "--form",
                                         form,
                                         outputOption,
                                         output.string(),
                                         "--settings",
                                         data.File("bench.INI").string()};
  std::FILE* settings = std::fopen(data.File("bench.INI").c_str(), "w");
  if (settings) std::fclose(settings);
  for (auto _ : state) {
    if (RunPrinter(args) != 0) {
      state.SkipWithError("morvind-print failed");
      break;
    }
  }
  std::error_code error;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(output, error));
  state.counters["cards"] = 909;
}

void BM_PrintAllCardsToPdf(benchmark::State& state) {
  RunAll(state, "--pdf", "cards.pdf");
}
BENCHMARK(BM_PrintAllCardsToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_PrintAllSheetsToPdf(benchmark::State& state) {
  RunAll(state, "--pdf", "sheets.pdf", "11/23");
}
BENCHMARK(BM_PrintAllSheetsToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_ListAllCards(benchmark::State& state) {
  RunAll(state, "--ops", "cards.jsonl");
}
BENCHMARK(BM_ListAllCards)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
