#include "pdf/FlattenedRecords.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <stdexcept>
#include <utility>
#include <vector>

#include "pdf/QpdfDocument.h"
#include "pdf/RecordCopier.h"
#include "pdf/RecordPageDrawing.h"

namespace morvind {
namespace {

using Object = QPDFObjectHandle;

}  // namespace

struct FlattenedRecords::State {
  std::string workingCopy;
  QPDF out;
  Object opening;  // the "q" before every page's contents, one stream for all
  SharedObjects shared;
  DrawnWidgets widgets;
  int pages = 0;
};

FlattenedRecords::FlattenedRecords(std::string_view workingCopy)
    : state_(std::make_unique<State>()) {
  state_->workingCopy = std::string(workingCopy);
  state_->out.setSuppressWarnings(true);
  state_->out.emptyPDF();
  state_->opening = state_->out.newStream("q\n");
}

FlattenedRecords::~FlattenedRecords() = default;

int FlattenedRecords::PageCount() const {
  return state_->pages;
}

bool FlattenedRecords::Add(std::string_view record) {
  State& state = *state_;
  SharedObjects added;
  DrawnWidgets found;
  std::vector<Object> pages;
  const bool copied = CatchingQpdf([&] {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("record", record.data(), record.size());
    Object form = pdf.getRoot().getKey("/AcroForm");
    // As QPDFAcroFormDocumentHelper reads it: qpdf flattens no field that
    // waits for its appearance.
    Object needAppearances = form.getKey("/NeedAppearances");
    if (needAppearances.isBool() && needAppearances.getBoolValue())
      throw std::runtime_error("fields without appearances");
    const std::string_view base = state.workingCopy;
    const bool fromWorkingCopy =
        !base.empty() && record.size() > base.size() && record.substr(0, base.size()) == base;
    const ObjectSet workingCopy =
        fromWorkingCopy ? WorkingCopyObjects(pdf, base.size()) : ObjectSet();
    const bool formUnchanged = fromWorkingCopy && AllIn(FormObjects(pdf), workingCopy);

    QPDFPageDocumentHelper helper(pdf);
    helper.pushInheritedAttributesToPage();
    const std::vector<QPDFPageObjectHelper> recordPages = helper.getAllPages();
    PageDrawing drawing(form.getKey("/DR"), workingCopy, formUnchanged ? &state.widgets : nullptr,
                        found);
    std::vector<DrawnPage> drawn;
    for (const QPDFPageObjectHelper& page : recordPages) drawn.push_back(drawing.Draw(pdf, page));
    RecordCopier copier(state.out, state.opening, state.shared, added, workingCopy);
    copier.ReservePages(recordPages);
    for (std::size_t i = 0; i < recordPages.size(); ++i)
      pages.push_back(copier.Page(i, recordPages[i], drawn[i]));
  });
  if (!copied) return false;
  // What a record left half copied is referred to by nothing, and is not
  // written.
  state.shared.insert(added.begin(), added.end());
  // A widget is remembered with the copy of its appearance, when that copy
  // is shared: one of this record's own can't stand in another record.
  for (auto& widget : found) {
    if (!widget.second.content.empty()) {
      const auto copy = state.shared.find(widget.second.appearance);
      if (copy == state.shared.end()) continue;
      widget.second.copy = copy->second.copy;
    }
    state.widgets[widget.first] = std::move(widget.second);
  }
  QPDFPageDocumentHelper merged(state.out);
  return CatchingQpdf([&] {
    for (Object page : pages) {
      merged.addPage(QPDFPageObjectHelper(page), false);
      ++state.pages;
    }
  });
}

std::optional<std::string> FlattenedRecords::Finish(std::string_view title) {
  std::string bytes;
  const bool written = CatchingQpdf([&] {
    QPDF& out = state_->out;
    Object info = out.makeIndirectObject(Object::newDictionary());
    info.replaceKey("/Title", Object::newUnicodeString(std::string(title)));
    out.getTrailer().replaceKey("/Info", info);
    QPDFWriter writer(out);
    writer.setOutputMemory();
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.setCompressStreams(true);
    // The streams go through as the records hold them; those without a
    // filter (the drawing's own) are compressed.
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setLinearization(false);
    writer.setDeterministicID(true);
    writer.write();
    std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
    bytes.assign(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
  });
  if (!written) return std::nullopt;
  return bytes;
}

}  // namespace morvind
