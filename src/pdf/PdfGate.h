#pragma once

#include <string_view>

namespace morvind {

// The gate every PDF passes before anything else reads it (the form file,
// each file of a folder of records). Poppler is a parser of untrusted files,
// not a safety boundary: a field whose /Parent is itself makes it loop for
// ever, a field tree thousands of levels deep takes it many seconds. qpdf
// reads the bytes (repairing what it can), and the structure is checked
// with limits of Morvind's own.

// The deepest field tree Morvind reads; the official form's is two levels.
inline constexpr int kMaxFieldDepth = 32;
// The most fields and widgets of a form Morvind reads; the official form
// has about a hundred.
inline constexpr int kMaxFormNodes = 2000;

enum class PdfProblem {
  kNone,
  kNotPdf,    // not a PDF, or too damaged for qpdf to repair
  kPassword,  // opens only with a password
  kUnsafe,    // a field tree with a cycle (through /Kids or a widget's
              // /Parent chain), deeper than kMaxFieldDepth, or with more
              // than kMaxFormNodes fields and widgets
};

struct PdfGateResult {
  PdfProblem problem = PdfProblem::kNone;
  bool repaired = false;  // qpdf had to repair the file to read it
  bool Ok() const { return problem == PdfProblem::kNone; }
};

// Checks a whole PDF file's bytes (at most kMaxPdfFileBytes, as
// ReadPdfFile gives them); never throws, never loops, ends within a
// second or two on any input of that size.
PdfGateResult CheckPdfBytes(std::string_view bytes);

}  // namespace morvind
