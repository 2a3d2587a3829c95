#pragma once

#include <cstddef>

namespace morvind {

// qpdf decodes a file's cross-reference and object streams as it reads
// them, whole, into memory: a few megabytes of compressed zeros would
// become gigabytes and keep it busy for minutes. Morvind decodes streams
// with decoders of its own that count what they produce.

// The most bytes the streams decoded for one call of the PDF room may
// give; a real form's object streams hold well under a megabyte.
inline constexpr std::size_t kMaxDecodedBytes = std::size_t{32} << 20;

// While it lives, every stream qpdf decodes in this thread takes from one
// budget of kMaxDecodedBytes (a scope within another shares the outer
// one's); a stream that would pass it fails as a damaged stream does.
// Outside any scope each stream has a budget of its own. The first scope
// puts Morvind's decoders in place of qpdf's for Flate (with the PNG
// predictors of cross-reference streams), run-length and LZW (which
// Morvind does not decode: such a stream stays as it is in a file qpdf
// writes, and an object stream of it is unreadable).
class DecodeBudgetScope {
 public:
  DecodeBudgetScope();
  ~DecodeBudgetScope();
  DecodeBudgetScope(const DecodeBudgetScope&) = delete;
  DecodeBudgetScope& operator=(const DecodeBudgetScope&) = delete;

 private:
  bool outermost_ = false;
  std::size_t left_ = kMaxDecodedBytes;
};

}  // namespace morvind
