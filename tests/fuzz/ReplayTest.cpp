// Replays every fuzz target's seed corpus and every committed regression
// input through the same entry points the fuzzers run, and fails on any
// property an entry point reports broken.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/SeedCorpus.h"
#include "support/DataWriter.h"

namespace morvind::fuzz {
namespace {

// Runs one input and returns the properties it broke.
std::vector<std::string> Replay(const Target& target, const Bytes& input) {
  TakeFailures();
  target.entry(input.data(), input.size());
  return TakeFailures();
}

std::vector<std::filesystem::path> RegressionFiles(std::string_view target) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::path(MORVIND_FUZZ_REGRESSIONS) / target;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

class FuzzReplayTest : public testing::TestWithParam<Target> {};

TEST_P(FuzzReplayTest, SeedsAndRegressionsKeepEveryProperty) {
  const Target& target = GetParam();
  const std::vector<Seed> seeds = SeedsFor(target.name);
  EXPECT_FALSE(seeds.empty());
  for (const Seed& seed : seeds) {
    for (const std::string& failure : Replay(target, seed.bytes))
      ADD_FAILURE() << "seed " << seed.name << ": " << failure;
  }
  for (const std::filesystem::path& file : RegressionFiles(target.name)) {
    for (const std::string& failure : Replay(target, test::ReadFileBytes(file)))
      ADD_FAILURE() << file.string() << ": " << failure;
  }
  // Short prefixes of a seed reach the paths of cut files and cut headers.
  const Bytes& first = seeds.front().bytes;
  for (std::size_t size : {0, 1, 3, 7, 40, 500}) {
    const Bytes prefix(first.begin(), first.begin() + std::min(size, first.size()));
    for (const std::string& failure : Replay(target, prefix))
      ADD_FAILURE() << "prefix of " << size << " bytes: " << failure;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryTarget, FuzzReplayTest, testing::ValuesIn(kTargets),
                         [](const testing::TestParamInfo<Target>& info) {
                           return std::string(info.param.name);
                         });

TEST(FuzzSupportTest, SplitCutsWhatJoinPutTogether) {
  const Bytes joined = Join({1, 2}, {{'a', 'b'}, {}, {'c'}});
  const SplitInput input = Split(joined.data(), joined.size(), 2, 3);
  EXPECT_EQ(input.options, (Bytes{1, 2}));
  ASSERT_EQ(input.parts.size(), 3u);
  EXPECT_EQ(input.parts[0], (Bytes{'a', 'b'}));
  EXPECT_TRUE(input.parts[1].empty());
  EXPECT_EQ(input.parts[2], (Bytes{'c'}));
  // Lengths beyond the input are cut, missing options read 0.
  const Bytes cut = {7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'x'};
  const SplitInput short_ = Split(cut.data(), cut.size(), 2, 2);
  EXPECT_EQ(short_.Option(1), 0xFF);
  EXPECT_EQ(short_.Option(5), 0);
  EXPECT_EQ(short_.parts[0].size(), 1u);
  EXPECT_TRUE(short_.parts[1].empty());
}

TEST(FuzzSupportTest, Utf8CheckRejectsWhatIsNotUtf8) {
  EXPECT_TRUE(IsValidUtf8("Jürgen Köhler ¼ Иван €"));
  EXPECT_TRUE(IsValidUtf8(""));
  for (std::string_view bad : {"\xE4", "M\xFCller", "\xC3", "\xC0\x80", "\xED\xA0\x80",
                               "\xF4\x90\x80\x80", "\xE2\x82", "\x80"})
    EXPECT_FALSE(IsValidUtf8(bad)) << testing::PrintToString(std::string(bad));
}

TEST(FuzzSupportTest, ABrokenPropertyIsReportedToTheReplay) {
  TakeFailures();
  EXPECT_TRUE(Check(true, "t", "holds"));
  EXPECT_FALSE(Check(false, "t", "broken"));
  EXPECT_EQ(TakeFailures(), (std::vector<std::string>{"t: broken"}));
  EXPECT_TRUE(TakeFailures().empty());
}

}  // namespace
}  // namespace morvind::fuzz
