#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace morvind {

// The program's string table: every user-visible text, the card version
// count and names, the default layouts and the language code, looked up by
// number. Texts are UTF-8. A table can be changed entry by entry, which is
// how other languages (and the tests of their behaviours) are made.
class StringTable {
 public:
  // The built-in German table.
  static StringTable German();

  // The text of `id`, or the empty text when the table has none.
  std::string Get(int id) const;
  bool Has(int id) const { return texts_.count(id) != 0; }
  void Set(int id, std::string text) { texts_[id] = std::move(text); }

  // String 133, the language code ("german" in the built-in table).
  std::string LanguageCode() const { return Get(kLanguageCode); }

  // The integer value of a text as the C library's atoi reads it: leading
  // blanks, an optional sign, then digits; anything else gives 0.
  int GetInt(int id) const;

  static constexpr int kLanguageCode = 133;

 private:
  std::unordered_map<int, std::string> texts_;
};

// atoi without its undefined behaviour on overflow (the value wraps in 32 bits).
int ParseLeadingInt(std::string_view text);

}  // namespace morvind
