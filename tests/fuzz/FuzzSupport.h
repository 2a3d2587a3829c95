#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/CongregationData.h"
#include "data/DataFolder.h"
#include "printing/RecordingSurface.h"
#include "resources/StringTable.h"

namespace morvind::fuzz {

// --- Reporting a broken property ---
//
// A fuzz entry point checks properties of what the readers give back, not
// only that they return. A broken property is reported here: the fuzzer
// build prints it and aborts, so libFuzzer keeps the input as a crash; the
// replay test collects the reports of one input and fails on them.

// Reports that `what` does not hold for the current input.
void Fail(std::string_view target, std::string_view what);
// Reports when `condition` is false; returns it.
bool Check(bool condition, std::string_view target, std::string_view what);

// Check whose message is only made when the condition fails: the checks
// run millions of times and their messages are built of several strings.
#define FUZZ_CHECK(condition, target, what) \
  ((condition) ? true : (::morvind::fuzz::Fail((target), (what)), false))

// The reports since the last call, cleared by it (replay build only; the
// fuzzer build never returns from Fail).
std::vector<std::string> TakeFailures();

// --- Shaping the input ---

using Bytes = std::vector<std::uint8_t>;

// An input cut into option bytes and parts: first `optionCount` bytes of
// options (missing ones read 0), then for every part but the last a 32-bit
// little-endian length (cut to what is left) and that many bytes; the last
// part is the rest.
struct SplitInput {
  Bytes options;
  std::vector<Bytes> parts;
  std::uint8_t Option(std::size_t i) const { return i < options.size() ? options[i] : 0; }
};
SplitInput Split(const std::uint8_t* data, std::size_t size, std::size_t optionCount,
                 std::size_t partCount);
// The inverse of Split, for the seed corpora.
Bytes Join(const Bytes& options, const std::vector<Bytes>& parts);

// The language codes the entry points try: the code page of the data and
// the date variants follow from them.
inline constexpr std::string_view kLanguages[] = {"german",  "cz", "hun",    "rus",       "ell",
                                                  "turkish", "lt", "polish", "portuguese"};
inline constexpr std::size_t kLanguageCount = sizeof kLanguages / sizeof kLanguages[0];
std::string_view LanguageFor(std::uint8_t option);

// The built-in string table with the language code `language` (one of
// kLanguages; any other gives "german").
const StringTable& StringsFor(std::string_view language);

// --- The folder the entry points read from ---

// One folder for the whole process (under $TMPDIR, a memory file system
// in the fuzz script), made on first use and removed at exit.
const DataFolder& ScratchFolder();
// Writes `bytes` as file `name` of the scratch folder, or removes that file
// when `present` is false.
void PutFile(std::string_view name, const Bytes& bytes, bool present = true);
// Removes every file of the scratch folder the entry points write.
void ClearScratchFolder();

// The congregation of a target that reads one companion file, `file`: the
// input's second part. With `withTable` the publisher table (the input's
// first part) lies beside it and all is loaded as the window loads it;
// without, `loadAlone` builds a table for the file and reads it. The other
// companion files are absent. Null when the table's memory can't be had.
CongregationData* LoadOneFile(const SplitInput& input, std::string_view file, bool withTable,
                              std::string_view language,
                              const std::function<void(CongregationData&)>& loadAlone);

// --- Properties shared by the entry points ---

// True for well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view text);
// The code points of valid UTF-8.
std::vector<char32_t> CodePoints(std::string_view utf8);
// Letters every code page's alphabet has: ASCII, Latin-1, Greek and Cyrillic
// capitals and small letters (a deliberately small set).
bool IsPlainLetter(char32_t c);

// Checks everything a drawing must leave on a recording surface: every
// text is valid UTF-8, every drawn position lies in [low, high] on both
// axes, no font or pen is left alive or selected, none was deleted while
// selected.
void CheckDrawing(const RecordingSurface& surface, int low, int high, std::string_view target,
                  std::string_view what);

}  // namespace morvind::fuzz
