#include "app/TypeAhead.h"

namespace morvind {

int TypeAheadBuffer::OnLetter(char32_t letter, const SelectPrefix& selectPrefix) {
  typedText_.resize(static_cast<std::size_t>(typedLength_));
  typedText_ += letter;
  ++typedLength_;
  int selected = selectPrefix(TypedText());
  if (selected < 0) {
    // No line goes on with the letters typed so far: the letter starts a
    // new search of its own. Typed alone it has just failed already.
    bool alone = typedLength_ == 1;
    typedText_.assign(1, letter);
    typedLength_ = 1;
    if (!alone) selected = selectPrefix(TypedText());
    if (selected < 0) typedLength_ = 0;
  }
  // After 31 letters in a row the buffer starts again with the next one.
  if (typedLength_ > kMaxLetters - 1) typedLength_ = 0;
  return selected;
}

}  // namespace morvind
