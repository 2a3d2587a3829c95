// The settings file: option byte 0 picks the key to change, bytes 1..4 its
// new value (an integer, or a margin made of it), bit 0 of byte 5 the
// language "portuguese" (which reads the first-name sort); the rest is the
// file. Every key is read, one is changed, and the file is read again.

#include <array>

#include "app/ProfileFile.h"
#include "app/Settings.h"
#include "data/TextServices.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"
#include "layout/LayoutValueRules.h"
#include "support/DataWriter.h"

namespace morvind::fuzz {
namespace {

constexpr std::string_view kTarget = "settings_file";
constexpr std::string_view kFileName = "morvind.INI";

struct Key {
  std::string_view section;
  std::string_view key;
  bool isMargin;
};
constexpr std::array<Key, 7> kKeys = {{{"Format", "Alt Date Format", false},
                                       {"Format", "Last Name First", false},
                                       {"Format", "Card Version", false},
                                       {"Margins", "Top", true},
                                       {"Margins", "Left", true},
                                       {"Data Location", "Drive", false},
                                       {"FN Sort", "Enabled", false}}};

// The file's lines with their own line ends.
std::vector<std::string> LinesOf(const Bytes& content) {
  std::vector<std::string> lines;
  std::string line;
  for (std::uint8_t b : content) {
    line += static_cast<char>(b);
    if (b == '\n') lines.push_back(std::move(line)), line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view WithoutEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The write of one key changes one line (the key's, its value replaced),
// or adds the key's line and perhaps its section's, giving a last line
// without a line end one; every other line stays byte for byte.
void CheckOneLineChanged(const Bytes& before, const Bytes& after, const Key& key,
                         const std::string& value) {
  const std::vector<std::string> a = LinesOf(before), b = LinesOf(after);
  std::size_t prefix = 0;
  while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
         a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
    ++suffix;
  const std::vector<std::string> removed(a.begin() + prefix, a.end() - suffix);
  std::vector<std::string> added(b.begin() + prefix, b.end() - suffix);
  if (!FUZZ_CHECK(removed.size() <= 1, kTarget, "more than one line of the file changed")) return;

  auto isKeyLine = [&](std::string_view line) {
    line = WithoutEnd(line);
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos &&
           EqualIgnoringAsciiCase(line.substr(0, equals), key.key) &&
           line.substr(equals + 1) == value;
  };
  if (removed.size() == 1) {
    const std::string& old = removed[0];
    if (!added.empty() && old.back() != '\n' &&
        (added[0] == old + "\n" || added[0] == old + "\r\n")) {
      added.erase(added.begin());  // the old last line got its line end
    } else {
      const std::string_view oldText = WithoutEnd(old);
      const std::size_t equals = oldText.find('=');
      // Blanks around a key are all of the white space characters.
      const std::string oldKey =
          Trimmed(oldText.substr(0, equals == std::string_view::npos ? 0 : equals));
      FUZZ_CHECK(
          added.size() == 1 && isKeyLine(added[0]) && EqualIgnoringAsciiCase(oldKey, key.key),
          kTarget, "a line other than the key's was changed");
      return;
    }
  }
  FUZZ_CHECK(added.size() <= 2, kTarget, "more than the key's line and its section were added");
  for (const std::string& line : added) {
    const std::string_view text = WithoutEnd(line);
    FUZZ_CHECK(isKeyLine(line) || text == "[" + std::string(key.section) + "]", kTarget,
               "an added line is neither the key's nor its section's");
  }
}

}  // namespace

int FuzzSettingsFile(const std::uint8_t* data, std::size_t size) {
  const SplitInput input = Split(data, size, 6, 1);
  const Key& key = kKeys[input.Option(0) % kKeys.size()];
  const std::int32_t number =
      static_cast<std::int32_t>(input.Option(1) | (input.Option(2) << 8) | (input.Option(3) << 16) |
                                (static_cast<std::uint32_t>(input.Option(4)) << 24));
  const std::string_view language = (input.Option(5) & 1) ? "portuguese" : "german";
  static const StringTable strings = StringTable::German();
  const Bytes& content = input.parts[0];
  PutFile(kFileName, content);
  ProfileFile file(ScratchFolder().PathOf(kFileName));

  // Every key as the program reads it, and as text.
  Settings before;
  before.firstNameSort = ReadFirstNameSort(file, language);
  ReadFormatAndMargins(file, strings, before);
  std::array<std::string, kKeys.size()> texts;
  for (std::size_t k = 0; k < kKeys.size(); ++k)
    texts[k] = file.GetProfileString(kKeys[k].section, kKeys[k].key, "\x01none");

  std::string value;
  if (key.isMargin) {
    value = std::to_string(static_cast<std::uint32_t>(number) % 1000);
    NormalizeLayoutValueSilently(value);
    FUZZ_CHECK(file.WriteProfileString(key.section, key.key, value).Ok(), kTarget,
               "the margin was not written");
  } else {
    value = std::to_string(number);
    FUZZ_CHECK(file.WriteProfileInt(key.section, key.key, number).Ok(), kTarget,
               "the key was not written");
  }

  const Bytes after = test::ReadFileBytes(file.Path());
  CheckOneLineChanged(content, after, key, value);
  for (std::size_t k = 0; k < kKeys.size(); ++k) {
    const std::string now = file.GetProfileString(kKeys[k].section, kKeys[k].key, "\x01none");
    if (&kKeys[k] == &key) {
      FUZZ_CHECK(now == value, kTarget,
                 "the changed key reads \"" + now + "\", not \"" + value + "\"");
    } else {
      FUZZ_CHECK(now == texts[k], kTarget,
                 "key \"" + std::string(kKeys[k].key) + "\" changed from \"" + texts[k] +
                     "\" to \"" + now + "\"");
    }
  }
  if (!key.isMargin)
    FUZZ_CHECK(file.GetProfileInt(key.section, key.key, 0) == number, kTarget,
               "the changed key reads as another number");
  return 0;
}

}  // namespace morvind::fuzz
