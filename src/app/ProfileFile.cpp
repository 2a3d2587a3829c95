#include "app/ProfileFile.h"

#include <cerrno>
#include <cstdio>
#include <optional>
#include <vector>

#include "data/TextServices.h"
#include "resources/FileWriter.h"
#include "resources/StringTable.h"

namespace morvind {
namespace {

// One line of the file with its own line end, so that a rewrite gives back
// every untouched line byte for byte (CRLF and LF files alike).
struct Line {
  std::string text;
  std::string end;  // "\n", "\r\n", or "" for a last line without one
};

struct Parsed {
  std::vector<Line> lines;
};

// Reads the whole file. A missing file is an empty one; a file that exists
// but can't be read gives nothing (and its errno in `error`), so that a
// write never replaces content it could not see.
std::optional<Parsed> ReadFile(const std::filesystem::path& path, int* error = nullptr) {
  Parsed parsed;
  if (path.empty()) return parsed;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    if (errno == ENOENT || errno == ENOTDIR) return parsed;
    if (error) *error = errno;
    return std::nullopt;
  }
  std::string content;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, n);
  bool failed = std::ferror(file) != 0;
  if (failed && error) *error = errno;
  std::fclose(file);
  if (failed) return std::nullopt;

  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t newline = content.find('\n', start);
    Line line;
    if (newline == std::string::npos) {
      line.text = content.substr(start);
      start = content.size();
    } else {
      line.text = content.substr(start, newline - start);
      line.end = "\n";
      start = newline + 1;
      if (!line.text.empty() && line.text.back() == '\r') {
        line.text.pop_back();
        line.end = "\r\n";
      }
    }
    parsed.lines.push_back(std::move(line));
  }
  return parsed;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string_view WithoutByteOrderMark(const Parsed& parsed, std::size_t index) {
  std::string_view text = parsed.lines[index].text;
  if (index == 0 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return text;
}

// "[Name]" with blanks allowed around the brackets and the name.
std::optional<std::string> SectionName(std::string_view text) {
  std::string line = Trimmed(text);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  std::size_t close = line.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trimmed(std::string_view(line).substr(1, close - 1));
}

struct KeyValue {
  std::string key;
  std::string value;
};

// "key=value"; comment lines and lines without '=' or without a key are
// not keys (they stay in the file as they are).
std::optional<KeyValue> KeyLine(std::string_view text) {
  std::string line = Trimmed(text);
  if (line.empty() || line.front() == ';' || line.front() == '#' || line.front() == '[') {
    return std::nullopt;
  }
  std::size_t equals = line.find('=');
  if (equals == std::string::npos) return std::nullopt;
  KeyValue kv{Trimmed(std::string_view(line).substr(0, equals)),
              Trimmed(std::string_view(line).substr(equals + 1))};
  if (kv.key.empty()) return std::nullopt;
  return kv;
}

struct Location {
  int section = -1;     // index of the section's header line
  int sectionEnd = -1;  // index one past its last line
  int key = -1;         // index of the key's line
};

// Only the first section of a name counts, and the first line of a key in
// it, as the platform's profile functions do with duplicates.
Location Find(const Parsed& parsed, std::string_view section, std::string_view key) {
  Location at;
  int count = static_cast<int>(parsed.lines.size());
  for (int i = 0; i < count; ++i) {
    auto name = SectionName(WithoutByteOrderMark(parsed, static_cast<std::size_t>(i)));
    if (!name) continue;
    if (at.section >= 0) {
      at.sectionEnd = i;
      break;
    }
    if (EqualIgnoringAsciiCase(*name, section)) at.section = i;
  }
  if (at.section < 0) return at;
  if (at.sectionEnd < 0) at.sectionEnd = count;
  for (int i = at.section + 1; i < at.sectionEnd; ++i) {
    auto kv = KeyLine(parsed.lines[static_cast<std::size_t>(i)].text);
    if (kv && EqualIgnoringAsciiCase(kv->key, key)) {
      at.key = i;
      break;
    }
  }
  return at;
}

std::optional<std::string> Lookup(const std::filesystem::path& path, std::string_view section,
                                  std::string_view key) {
  auto parsed = ReadFile(path);
  if (!parsed) return std::nullopt;
  Location at = Find(*parsed, section, key);
  if (at.key < 0) return std::nullopt;
  return KeyLine(parsed->lines[static_cast<std::size_t>(at.key)].text)->value;
}

bool IsBlank(const Line& line) {
  return Trimmed(line.text).empty();
}

}  // namespace

int ProfileFile::GetProfileInt(std::string_view section, std::string_view key,
                               int defaultValue) const {
  auto value = Lookup(path_, section, key);
  if (!value) return defaultValue;
  return ParseLeadingInt(*value);
}

std::string ProfileFile::GetProfileString(std::string_view section, std::string_view key,
                                          std::string_view defaultValue) const {
  auto value = Lookup(path_, section, key);
  if (!value) return std::string(defaultValue);
  std::string text = *value;
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front()) {
    text = text.substr(1, text.size() - 2);
  }
  return text;
}

WriteResult ProfileFile::WriteProfileInt(std::string_view section, std::string_view key,
                                         int value) {
  return WriteProfileString(section, key, std::to_string(value));
}

WriteResult ProfileFile::WriteProfileString(std::string_view section, std::string_view key,
                                            std::string_view value) {
  if (path_.empty()) return WriteResult{.problem = WriteProblem::kSystem, .error = ENOENT};
  // The other lines are kept, so a file that can't be read isn't written.
  int error = EIO;
  auto parsed = ReadFile(path_, &error);
  if (!parsed) return WriteResult{.problem = WriteProblem::kSystem, .error = error};
  // A line break in a value would turn the rest of it into lines of its own.
  value = value.substr(0, value.find_first_of("\r\n"));

  std::vector<Line>& lines = parsed->lines;
  std::string newline = (!lines.empty() && lines.front().end == "\r\n") ? "\r\n" : "\n";
  Location at = Find(*parsed, section, key);
  if (at.key >= 0) {
    Line& line = lines[static_cast<std::size_t>(at.key)];
    line.text = KeyLine(line.text)->key + "=" + std::string(value);
  } else {
    Line keyLine{std::string(key) + "=" + std::string(value), newline};
    std::size_t insertAt;
    if (at.section >= 0) {
      // After the section's last non-blank line, so that blank lines that
      // separate it from the next section stay where they are.
      int last = at.section;
      for (int i = at.section + 1; i < at.sectionEnd; ++i) {
        if (!IsBlank(lines[static_cast<std::size_t>(i)])) last = i;
      }
      insertAt = static_cast<std::size_t>(last) + 1;
    } else {
      if (!lines.empty() && lines.back().end.empty()) lines.back().end = newline;
      lines.push_back(Line{"[" + std::string(section) + "]", newline});
      insertAt = lines.size();
    }
    if (lines[insertAt - 1].end.empty()) lines[insertAt - 1].end = newline;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(keyLine));
  }

  std::string content;
  for (const Line& line : lines) content += line.text + line.end;
  return ReplaceFileContents(path_, content, {.inPlaceFallback = true, .createFolder = true});
}

}  // namespace morvind
