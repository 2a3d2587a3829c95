#pragma once

#include <memory>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <set>
#include <string_view>

#include "pdf/PdfGate.h"

namespace morvind {

// The PDF room's own view of a file that passed the gate (PdfGate.h): the
// QPDF document the gate parsed and checked, handed on to the form check,
// the working copy and the record info, so that no file is parsed twice.
// Only files of the PDF room include qpdf's headers.

// The deepest page tree the gate lets through; qpdf walks it recursively
// whenever it lists the pages, and real files are a few levels deep.
inline constexpr int kMaxPageTreeDepth = 64;

struct QpdfDocument {
  PdfGateResult gate;
  // The parsed file when the gate passed (null otherwise). It reads from
  // the bytes given to OpenPdf, which must outlive it.
  std::unique_ptr<QPDF> pdf;
  // Every widget annotation that some page lists in its /Annots.
  std::set<QPDFObjGen> pageWidgets;
};

// Parses `bytes` with qpdf (repairing what it can) and checks the
// structure by the gate's limits; never throws.
QpdfDocument OpenPdf(std::string_view bytes);

// Runs `action` on a document that passed the gate, turning any exception
// qpdf throws into false.
template <typename Action>
bool CatchingQpdf(Action&& action) {
  try {
    action();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace morvind
