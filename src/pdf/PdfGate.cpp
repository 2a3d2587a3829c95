#include "pdf/PdfGate.h"

#include <algorithm>
#include <qpdf/QPDFExc.hh>
#include <vector>

#include "pdf/DecodeBudget.h"
#include "pdf/QpdfDocument.h"

namespace morvind {
namespace {

// The most entries of /Kids arrays in the page tree: qpdf lists every page
// (copying a page named twice) before it writes a file. A form has a few.
constexpr int kMaxPageTreeEntries = 10000;
// The most entries of the pages' /Annots arrays: each is parsed to tell a
// widget, and a form has a few hundred.
constexpr int kMaxAnnotations = 20000;

bool IsWidget(QPDFObjectHandle annotation) {
  return annotation.isDictionary() && annotation.getKey("/Subtype").isNameAndEquals("/Widget");
}

// The structure of a parsed file, walked with limits of Morvind's own,
// so that neither qpdf nor Poppler later meets a cycle or a depth that
// would keep it busy for ever. Every check is on the object's type first:
// qpdf counts an operation on the wrong type as a warning, and its
// warnings tell whether the file needed repair.
class StructureCheck {
 public:
  explicit StructureCheck(QPDF& pdf) : pdf_(pdf) {}

  // Fills `pageWidgets`; false when the file is unsafe.
  bool Run(std::set<QPDFObjGen>& pageWidgets) { return FieldsSafe() && PagesSafe(pageWidgets); }

 private:
  // Poppler names a field by following /Parent up from it: a chain must
  // end, and within kMaxFieldDepth.
  static bool ParentChainSafe(QPDFObjectHandle node) {
    std::vector<QPDFObjGen> seen;
    if (node.isIndirect()) seen.push_back(node.getObjGen());
    for (int depth = 0;; ++depth) {
      QPDFObjectHandle parent = node.getKey("/Parent");
      if (!parent.isDictionary()) return true;
      if (depth >= kMaxFieldDepth) return false;
      if (parent.isIndirect()) {
        if (std::find(seen.begin(), seen.end(), parent.getObjGen()) != seen.end()) return false;
        seen.push_back(parent.getObjGen());
      }
      node = parent;
    }
  }

  // Every entry of /Fields and of each /Kids below counts against
  // kMaxFormNodes, also one named twice (Poppler builds a field for each
  // time it meets it) and one that names nothing (a dangling reference,
  // which qpdf reads as null and is skipped).
  bool FieldTreeSafe(QPDFObjectHandle node, int depth, std::vector<QPDFObjGen>& path) {
    if (depth > kMaxFieldDepth || ++nodes_ > kMaxFormNodes) return false;
    if (!node.isDictionary()) return true;
    const bool indirect = node.isIndirect();
    if (indirect) {
      if (std::find(path.begin(), path.end(), node.getObjGen()) != path.end()) return false;
      path.push_back(node.getObjGen());
      inFieldTree_.insert(node.getObjGen());
    }
    if (!ParentChainSafe(node)) return false;
    QPDFObjectHandle kids = node.getKey("/Kids");
    if (kids.isArray()) {
      const int count = kids.getArrayNItems();
      for (int i = 0; i < count; ++i)
        if (!FieldTreeSafe(kids.getArrayItem(i), depth + 1, path)) return false;
    }
    if (indirect) path.pop_back();
    return true;
  }

  bool FieldsSafe() {
    QPDFObjectHandle form = pdf_.getRoot().getKey("/AcroForm");
    if (!form.isDictionary()) return true;
    QPDFObjectHandle fields = form.getKey("/Fields");
    if (!fields.isArray()) return true;
    std::vector<QPDFObjGen> path;
    const int count = fields.getArrayNItems();
    for (int i = 0; i < count; ++i)
      if (!FieldTreeSafe(fields.getArrayItem(i), 1, path)) return false;
    return true;
  }

  // The page tree as qpdf walks it when it lists the pages (a node with
  // /Kids is a node of the tree, any other kid a page): every node once,
  // within kMaxPageTreeDepth; the pages are gathered once each.
  bool PageTreeSafe(QPDFObjectHandle node, int depth, std::set<QPDFObjGen>& nodes,
                    std::set<QPDFObjGen>& pages) {
    if (depth > kMaxPageTreeDepth || !nodes.insert(node.getObjGen()).second) return false;
    QPDFObjectHandle kids = node.getKey("/Kids");
    if (!kids.isArray()) return true;
    const int count = kids.getArrayNItems();
    for (int i = 0; i < count; ++i) {
      if (++pageEntries_ > kMaxPageTreeEntries) return false;
      QPDFObjectHandle kid = kids.getArrayItem(i);
      if (kid.isDictionary() && kid.hasKey("/Kids")) {
        if (!PageTreeSafe(kid, depth + 1, nodes, pages)) return false;
      } else if (kid.isDictionary() && kid.isIndirect() && pages.insert(kid.getObjGen()).second) {
        pageList_.push_back(kid);
      }
    }
    return true;
  }

  bool PagesSafe(std::set<QPDFObjGen>& pageWidgets) {
    // qpdf takes the tree's root from the catalog, or climbs /Parent from
    // there when the catalog names a node below it.
    QPDFObjectHandle root = pdf_.getRoot().getKey("/Pages");
    std::set<QPDFObjGen> climbed;
    while (root.isDictionary() && root.hasKey("/Parent") && climbed.insert(root.getObjGen()).second)
      root = root.getKey("/Parent");
    std::set<QPDFObjGen> nodes, pages;
    if (root.isDictionary() && root.hasKey("/Kids") && !PageTreeSafe(root, 0, nodes, pages))
      return false;
    // Widgets that no field of the tree holds are fields of their own to
    // Poppler, named through their /Parent chains.
    std::set<QPDFObjGen> arrays;
    for (QPDFObjectHandle& page : pageList_) {
      QPDFObjectHandle annotations = page.getKey("/Annots");
      if (!annotations.isArray()) continue;
      if (annotations.isIndirect() && !arrays.insert(annotations.getObjGen()).second) continue;
      const int count = annotations.getArrayNItems();
      for (int i = 0; i < count; ++i) {
        if (++annotations_ > kMaxAnnotations) return false;
        QPDFObjectHandle annotation = annotations.getArrayItem(i);
        if (!IsWidget(annotation)) continue;
        if (annotation.isIndirect()) {
          if (!pageWidgets.insert(annotation.getObjGen()).second) continue;
          if (inFieldTree_.count(annotation.getObjGen())) continue;
        }
        if (++nodes_ > kMaxFormNodes || !ParentChainSafe(annotation)) return false;
      }
    }
    // qpdf's own list of the pages, which the writer takes, made now that
    // the tree is known to be sound.
    pdf_.getAllPages();
    return true;
  }

  QPDF& pdf_;
  int nodes_ = 0;
  int pageEntries_ = 0;
  int annotations_ = 0;
  std::set<QPDFObjGen> inFieldTree_;
  std::vector<QPDFObjectHandle> pageList_;
};

}  // namespace

QpdfDocument OpenPdf(std::string_view bytes) {
  DecodeBudgetScope budget;
  QpdfDocument document;
  auto pdf = std::make_unique<QPDF>();
  try {
    // Warnings are collected (they tell of repairs), never printed.
    pdf->setSuppressWarnings(true);
    pdf->setAttemptRecovery(true);
    pdf->processMemoryFile("PDF file", bytes.data(), bytes.size());
    if (!pdf->getRoot().isDictionary()) {
      document.gate.problem = PdfProblem::kNotPdf;
      return document;
    }
    if (!StructureCheck(*pdf).Run(document.pageWidgets)) {
      document.gate.problem = PdfProblem::kUnsafe;
      return document;
    }
  } catch (const QPDFExc& error) {
    document.gate.problem =
        error.getErrorCode() == qpdf_e_password ? PdfProblem::kPassword : PdfProblem::kNotPdf;
    return document;
  } catch (...) {
    document.gate.problem = PdfProblem::kNotPdf;
    return document;
  }
  document.gate.repaired = pdf->anyWarnings();
  document.pdf = std::move(pdf);
  return document;
}

PdfGateResult CheckPdfBytes(std::string_view bytes) {
  return OpenPdf(bytes).gate;
}

}  // namespace morvind
