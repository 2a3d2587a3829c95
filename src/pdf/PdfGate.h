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
  kUnsafe,    // a field tree with a cycle (through /Kids or a /Parent
              // chain of a field or a widget), deeper than kMaxFieldDepth,
              // or with more than kMaxFormNodes fields and widgets; a page
              // tree with a node met twice, too deep or too large; more
              // annotations on the pages than any form has
};

struct PdfGateResult {
  PdfProblem problem = PdfProblem::kNone;
  // qpdf had to repair what the gate read (the cross-reference table, the
  // catalog, the page tree, the fields and the pages' annotations): a
  // reconstructed cross-reference table, a wrong type mended.
  bool repaired = false;
  bool Ok() const { return problem == PdfProblem::kNone; }
};

// Checks a whole PDF file's bytes (at most kMaxPdfFileBytes, as
// ReadPdfFile gives them); never throws, never loops, ends within a
// second or two on any input of that size.
PdfGateResult CheckPdfBytes(std::string_view bytes);

}  // namespace morvind
