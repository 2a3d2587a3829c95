#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TypeAhead.h"

namespace morvind {
namespace {

// A list that answers prefix searches like the list box: the first line
// beginning with the prefix, case ignored (ASCII is enough here), and the
// selection moves only on a hit.
struct FakeList {
  explicit FakeList(std::vector<std::u32string> l) : lines(std::move(l)) {}

  std::vector<std::u32string> lines;
  int selection = 0;
  std::vector<std::u32string> searches;

  TypeAheadBuffer::SelectPrefix Selector() {
    return [this](const std::u32string& prefix) {
      searches.push_back(prefix);
      auto lower = [](char32_t c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
      for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() < prefix.size()) continue;
        bool match = true;
        for (std::size_t k = 0; k < prefix.size() && match; ++k) {
          match = lower(lines[i][k]) == lower(prefix[k]);
        }
        if (match) return selection = static_cast<int>(i);
      }
      return -1;
    };
  }
};

TEST(TypeAheadTest, LettersNarrowTheSearchAndAMissStartsAgain) {
  const struct {
    const char* name;
    std::vector<std::u32string> lines;
    std::u32string typed;
    std::vector<int> results;
    int selection;
    int typedLength;
  } cases[] = {
      {"s then m",
       {U"Meier, Anna", U"Schmidt, Eva", U"SMITH, Bob", U"Xaver, Paul"},
       U"sm",
       {1, 2},
       2,
       2},
      {"smx falls back to x",
       {U"Meier, Anna", U"Schmidt, Eva", U"smith, Bob", U"Xaver, Paul"},
       U"smx",
       {1, 2, 3},
       3,
       1},
      {"no x at all keeps the selection",
       {U"Meier, Anna", U"Schmidt, Eva", U"smith, Bob"},
       U"smx",
       {1, 2, -1},
       2,
       0},
      {"after a total miss the next letter stands alone",
       {U"Meier, Anna", U"Schmidt, Eva", U"smith, Bob"},
       U"smxm",
       {1, 2, -1, 0},
       0,
       1},
      {"first letter without a line", {U"Meier, Anna"}, U"q", {-1}, 0, 0},
  };
  for (const auto& c : cases) {
    FakeList list(c.lines);
    TypeAheadBuffer buffer;
    std::vector<int> results;
    for (char32_t letter : c.typed) results.push_back(buffer.OnLetter(letter, list.Selector()));
    EXPECT_EQ(results, c.results) << c.name;
    EXPECT_EQ(list.selection, c.selection) << c.name;
    EXPECT_EQ(buffer.TypedLength(), c.typedLength) << c.name;
  }
}

TEST(TypeAheadTest, FallbackSearchesWithTheNewLetterAlone) {
  FakeList list({U"Meier, Anna", U"Schmidt, Eva", U"Xaver, Paul"});
  TypeAheadBuffer buffer;
  buffer.OnLetter('s', list.Selector());
  buffer.OnLetter('x', list.Selector());
  EXPECT_EQ(list.searches, (std::vector<std::u32string>{U"s", U"sx", U"x"}));
  EXPECT_EQ(buffer.TypedText(), U"x");

  // Focus resets the buffer.
  buffer.Reset();
  buffer.OnLetter('m', list.Selector());
  EXPECT_EQ(list.searches.back(), U"m");
  EXPECT_EQ(list.selection, 0);
}

TEST(TypeAheadTest, TheThirtyFirstLetterResetsAfterItsSearch) {
  FakeList list({U"Meier", std::u32string(40, U'a')});
  TypeAheadBuffer buffer;
  for (int i = 1; i <= 30; ++i) buffer.OnLetter('a', list.Selector());
  EXPECT_EQ(buffer.TypedLength(), 30);

  EXPECT_EQ(buffer.OnLetter('a', list.Selector()), 1);
  EXPECT_EQ(list.searches.back(), std::u32string(31, U'a'));
  EXPECT_EQ(buffer.TypedLength(), 0);

  list.selection = 0;
  EXPECT_EQ(buffer.OnLetter('a', list.Selector()), 1);
  EXPECT_EQ(list.searches.back(), U"a");
  EXPECT_EQ(buffer.TypedLength(), 1);
}

}  // namespace
}  // namespace morvind
