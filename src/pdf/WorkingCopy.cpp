#include "pdf/WorkingCopy.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <set>
#include <utility>
#include <vector>

#include "pdf/RecordSeal.h"

namespace morvind {
namespace {

QPDFObjectHandle Name(const char* name) {
  return QPDFObjectHandle::newName(name);
}

// A form made from a filled record carries that record's info; the
// records filled from the working copy get their own.
void DropRecordInfo(QPDF& pdf) {
  QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
  if (!info.isDictionary()) return;
  for (std::string_view key :
       {kRecordKeyEntry, kValuesDigestEntry, kFormDigestEntry, kFileDigestEntry})
    info.removeKey("/" + std::string(key));
}

// With /NeedAppearances set, Poppler deletes a widget's appearance when
// it fills the field and writes none, and a viewer that draws appearances
// shows the field empty; without it Poppler writes every appearance. A
// form without default resources makes Poppler fail at the first text it
// sets: it gets Helvetica, which every viewer has.
void PrepareAcroForm(QPDF& pdf) {
  QPDFObjectHandle form = pdf.getRoot().getKey("/AcroForm");
  form.removeKey("/NeedAppearances");
  QPDFObjectHandle fonts = DefaultFonts(form);
  const bool withoutAppearance = !form.getKey("/DA").isString();
  if (withoutAppearance) form.replaceKey("/DA", QPDFObjectHandle::newString("/Helv 0 Tf 0 g"));
  if (fonts.getKeys().empty() || (withoutAppearance && !fonts.hasKey("/Helv"))) {
    QPDFObjectHandle helvetica = QPDFObjectHandle::newDictionary();
    helvetica.replaceKey("/Type", Name("/Font"));
    helvetica.replaceKey("/Subtype", Name("/Type1"));
    helvetica.replaceKey("/BaseFont", Name("/Helvetica"));
    helvetica.replaceKey("/Encoding", Name("/WinAnsiEncoding"));
    fonts.replaceKey("/Helv", pdf.makeIndirectObject(helvetica));
  }
}

// An entry of /Fields or /Kids that names no object (qpdf reads it as
// null) leaves the tree, so that no reader of the working copy meets it.
void DropDanglingFields(QPDF& pdf) {
  QPDFObjectHandle form = pdf.getRoot().getKey("/AcroForm");
  std::vector<std::pair<QPDFObjectHandle, int>> arrays{{form.getKey("/Fields"), 1}};
  std::set<QPDFObjGen> seen;
  while (!arrays.empty()) {
    auto [array, depth] = arrays.back();
    arrays.pop_back();
    if (!array.isArray()) continue;
    for (int i = array.getArrayNItems() - 1; i >= 0; --i) {
      QPDFObjectHandle kid = array.getArrayItem(i);
      if (kid.isNull()) {
        array.eraseItem(i);
      } else if (kid.isDictionary() && depth < kMaxFieldDepth &&
                 (!kid.isIndirect() || seen.insert(kid.getObjGen()).second)) {
        arrays.push_back({kid.getKey("/Kids"), depth + 1});
      }
    }
  }
}

// A blank form made from a filled record must not carry one publisher's
// values into the next record: the table's texts go, with the appearances
// that show them (Poppler writes new ones as it fills), and its boxes are
// off, their appearances kept (they hold the box's own "on" state).
void ClearTableFields(const FormFieldsFound& found) {
  const auto& table = OfficialFormFieldTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const bool text = table[i].kind == FormFieldKind::kText;
    for (const TableFieldOccurrence& occurrence : found.occurrences[i]) {
      QPDFObjectHandle field = occurrence.field;
      QPDFObjectHandle widget = occurrence.widget;
      if (!occurrence.rightKind) continue;
      if (widget.getObjGen() != field.getObjGen()) widget.removeKey("/V");
      if (text) {
        field.removeKey("/V");
        field.removeKey("/RV");
        widget.removeKey("/AP");
      } else {
        field.replaceKey("/V", Name("/Off"));
        widget.replaceKey("/AS", Name("/Off"));
      }
    }
  }
}

std::string WriteWhole(QPDF& pdf) {
  QPDFWriter writer(pdf);
  writer.setOutputMemory();
  writer.setObjectStreamMode(qpdf_o_disable);
  writer.setCompressStreams(true);
  // Decoding a stream could turn a few megabytes into gigabytes; streams
  // go through as they are, and only those without a filter are
  // compressed.
  writer.setDecodeLevel(qpdf_dl_none);
  writer.setPreserveEncryption(false);
  writer.setLinearization(false);
  writer.setDeterministicID(true);
  writer.write();
  std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
  return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
}

}  // namespace

std::vector<FieldCharacters> TableFieldCharacters(const FormFieldsFound& found,
                                                  const WorkingCopyOptions& options) {
  std::vector<FieldCharacters> fields;
  std::set<QPDFObjGen> listed;
  const auto& table = OfficialFormFieldTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].kind != FormFieldKind::kText) continue;
    for (const TableFieldOccurrence& occurrence : found.occurrences[i]) {
      QPDFObjectHandle field = occurrence.field;
      if (!occurrence.rightKind) continue;
      if (field.isIndirect() && !listed.insert(field.getObjGen()).second) continue;
      fields.push_back({field, table[i].number ? U"0123456789." : options.characters});
    }
  }
  return fields;
}

std::vector<std::string> FieldsToRedraw(QPDF& pdf, const FormFieldsFound& found) {
  std::set<QPDFObjGen> table;
  for (const auto& occurrences : found.occurrences)
    for (const TableFieldOccurrence& occurrence : occurrences)
      table.insert(occurrence.field.getObjGen());
  std::vector<std::string> names;
  CatchingQpdf([&] {
    QPDFAcroFormDocumentHelper form(pdf);
    for (QPDFFormFieldObjectHelper field : form.getFormFields()) {
      if (table.count(field.getObjectHandle().getObjGen()) || !field.isText() ||
          field.getValueAsString().empty())
        continue;
      for (QPDFAnnotationObjectHelper widget : form.getAnnotationsForField(field)) {
        if (!widget.getAppearanceDictionary().getKey("/N").isStream()) {
          names.push_back(field.getFullyQualifiedName());
          break;
        }
      }
    }
  });
  return names;
}

std::optional<std::string> MakeWorkingCopy(QPDF& pdf, const FormFieldsFound& found,
                                           const WorkingCopyOptions& options) {
  std::string bytes;
  const bool written = CatchingQpdf([&] {
    DropRecordInfo(pdf);
    PrepareAcroForm(pdf);
    DropDanglingFields(pdf);
    ClearTableFields(found);
    // Every field can show each character it may receive, so that Poppler
    // never embeds a whole font of the system into a record. Without the
    // font file the fields keep their fonts, and Poppler finds one itself.
    if (!options.fontFile.empty())
      EnsureFieldFonts(pdf, TableFieldCharacters(found, options), options.fontFile,
                       options.embeddedFontsOnly);
    bytes = WriteWhole(pdf);
  });
  if (!written) return std::nullopt;
  return bytes;
}

}  // namespace morvind
