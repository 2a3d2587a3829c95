#pragma once

#include <functional>
#include <string>

namespace morvind {

// The publisher list's type-ahead buffer: letters typed in a row select the
// first line beginning with them. At most 31 letters are kept; after the
// 31st the buffer starts again.
class TypeAheadBuffer {
 public:
  static constexpr int kMaxLetters = 31;

  // Selects the first line beginning with the text (case ignored, from the
  // top) and returns its index, or -1 when none begins with it.
  using SelectPrefix = std::function<int(const std::u32string& prefix)>;

  // Handles one typed letter; returns the index that got selected, or -1
  // when nothing matched (the selection then stays). Non-letters are not
  // passed here.
  int OnLetter(char32_t letter, const SelectPrefix& selectPrefix);
  // The list got the keyboard focus.
  void Reset() { typedLength_ = 0; }
  int TypedLength() const { return typedLength_; }
  std::u32string TypedText() const { return typedText_.substr(0, typedLength_); }

 private:
  std::u32string typedText_;
  int typedLength_ = 0;
};

}  // namespace morvind
