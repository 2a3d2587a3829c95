#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/Scrambling.h"
#include "support/DataWriter.h"

namespace morvind {
namespace {

std::string Unshifted(std::string stored, ShiftException exception, std::size_t size = 0) {
  if (size == 0) size = stored.size() + 1;
  std::string field(size, '\0');
  std::memcpy(field.data(), stored.data(), std::min(stored.size(), size));
  UnshiftText(reinterpret_cast<std::uint8_t*>(field.data()), size, exception);
  return field.substr(0, stored.size());
}

std::uint8_t Stored(std::uint8_t plain, std::size_t position) {
  return static_cast<std::uint8_t>(plain + position + kShiftBase);
}

TEST(ScramblingTest, UnshiftUndoesThePositionShiftAndKeeps204WhereTheFieldSaysSo) {
  const char k204 = static_cast<char>(204);
  std::string abc = {static_cast<char>(Stored('A', 0)), static_cast<char>(Stored('b', 1)),
                     static_cast<char>(Stored('c', 2))};
  EXPECT_EQ(Unshifted(abc, ShiftException::kNone), "Abc");
  EXPECT_EQ(Unshifted(abc, ShiftException::kKeep204), "Abc");

  // A stored 204 at position p: kept in names anywhere, in the address only
  // below position 30, shifted otherwise.
  struct Case {
    ShiftException exception;
    std::size_t position;
    bool kept;
  };
  const Case cases[] = {
      {ShiftException::kKeep204, 0, true},
      {ShiftException::kKeep204, 19, true},
      {ShiftException::kKeep204Below30, 0, true},
      {ShiftException::kKeep204Below30, 29, true},
      {ShiftException::kKeep204Below30, 30, false},
      {ShiftException::kKeep204Below30, 61, false},
      {ShiftException::kNone, 0, false},
      {ShiftException::kNone, 5, false},
  };
  for (const Case& c : cases) {
    std::string stored(c.position, static_cast<char>(Stored('x', 0)));
    for (std::size_t i = 0; i < c.position; ++i) stored[i] = static_cast<char>(Stored('x', i));
    stored += k204;
    std::string plain = Unshifted(stored, c.exception);
    const auto expected =
        c.kept ? std::uint8_t{204} : static_cast<std::uint8_t>(204 - c.position - kShiftBase);
    EXPECT_EQ(static_cast<std::uint8_t>(plain[c.position]), expected) << "position " << c.position;
    EXPECT_EQ(plain.substr(0, c.position), std::string(c.position, 'x'));
  }
}

TEST(ScramblingTest, UnshiftStopsAtTheFirstZeroAndAtTheFieldEnd) {
  std::uint8_t field[6] = {Stored('a', 0), Stored('b', 1), 0, 77, 88, 99};
  UnshiftText(field, 6, ShiftException::kNone);
  EXPECT_EQ(field[0], 'a');
  EXPECT_EQ(field[1], 'b');
  EXPECT_EQ(field[3], 77);  // behind the zero: untouched

  // No zero within the field: the walk ends at its size, the byte behind stays.
  std::uint8_t full[4] = {Stored('w', 0), Stored('x', 1), Stored('y', 2), 200};
  UnshiftText(full, 3, ShiftException::kNone);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(full), 3), "wxy");
  EXPECT_EQ(full[3], 200);

  // A byte that unshifts to zero does not shorten the walk.
  std::uint8_t cut[3] = {Stored(0, 0), Stored('q', 1), 0};
  UnshiftText(cut, 3, ShiftException::kNone);
  EXPECT_EQ(cut[0], 0);
  EXPECT_EQ(cut[1], 'q');
}

TEST(ScramblingTest, GroupKeyXorsEveryByteExceptThoseEqualToTheirKeyCharacter) {
  // 25 bytes, so the 10-character key wraps twice.
  std::string plain = "Gruppe Nord, Saal Bremen!";
  std::uint8_t field[24 + 8] = {};
  ASSERT_TRUE(test::ScrambleGroupTextInto(field, 32, plain));
  for (std::size_t i = 0; i < plain.size(); ++i) EXPECT_NE(field[i], 0) << i;
  UnscrambleGroupText(field, 32);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(field)), plain);

  // A plain byte equal to its key character is stored and read as itself.
  std::string keyed = {kGroupKey[0], 'x', kGroupKey[2]};
  std::uint8_t stored[8] = {};
  ASSERT_TRUE(test::ScrambleGroupTextInto(stored, 8, keyed));
  EXPECT_EQ(stored[0], static_cast<std::uint8_t>(kGroupKey[0]));
  EXPECT_EQ(stored[1], static_cast<std::uint8_t>('x' ^ kGroupKey[1]));
  UnscrambleGroupText(stored, 8);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(stored)), keyed);
}

TEST(ScramblingTest, WriterRoundTripsAndRefusesBytesTheReaderWouldMisread) {
  struct Case {
    std::string text;  // code-page bytes
    ShiftException exception;
    bool writable;
  };
  const std::string k204(1, static_cast<char>(204));
  const std::string zeroAt14 = std::string(14, 'a') + static_cast<char>(256 - 14 - kShiftBase);
  const std::string hits204At0(1, static_cast<char>(204 - kShiftBase));
  const std::string hits204At35 = std::string(35, 'a') + static_cast<char>(204 - 35 - kShiftBase);
  const Case cases[] = {
      {"M\xFC"
       "ller",
       ShiftException::kKeep204, true},
      {"A" + k204 + "B", ShiftException::kKeep204, true},
      {std::string(40, 'a') + k204, ShiftException::kKeep204Below30, true},
      {zeroAt14, ShiftException::kNone, false},
      {hits204At0, ShiftException::kKeep204, false},
      {hits204At0, ShiftException::kKeep204Below30, false},
      {hits204At0, ShiftException::kNone, true},
      {hits204At35, ShiftException::kKeep204Below30, true},
      {std::string(20, 'x'), ShiftException::kKeep204, true},
      {std::string(21, 'x'), ShiftException::kKeep204, false},  // no room for the zero
  };
  for (const Case& c : cases) {
    std::uint8_t field[63] = {};
    const std::size_t size = c.exception == ShiftException::kKeep204 ? 21 : 63;
    std::string error;
    ASSERT_EQ(test::ShiftTextInto(field, size, c.text, c.exception, &error), c.writable)
        << c.text << " " << error;
    if (!c.writable) continue;
    UnshiftText(field, size, c.exception);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field)), c.text);
  }
}

}  // namespace
}  // namespace morvind
