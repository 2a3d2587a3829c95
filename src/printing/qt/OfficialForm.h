#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/RecordsFolder.h"
#include "printing/FormFileCheck.h"
#include "printing/OfficialFormFields.h"

namespace morvind {

// Whose record a filled form is, as Morvind records it in the file's
// metadata: the record's key (PublisherRecordKey, CongregationRecordKey),
// the digest of the field values it wrote (ValuesDigest) and that of the
// form file it filled (OfficialForm::FormDigest).
struct RecordInfo {
  std::string recordKey;
  std::string valuesDigest;
  std::string formDigest;
  bool operator==(const RecordInfo&) const = default;
};

// The parts of the form the two preview panes show.
enum class FormArea {
  kHeader,  // around the fields 900_1 … 900_12
  kTable,   // around the service year, the row fields and the total
};

// The congregation's own fillable S-21 11/23 form, in any language edition,
// opened through Poppler from a copy of its file's bytes, so that the
// user's file is never held open. Its fields are found by the last part of
// their qualified names (OfficialFormFieldTable), wherever they sit in the
// field tree; every page of the file belongs to the form.
class OfficialForm {
 public:
  // Reads and checks `file`: null, with `check` saying why, when it is
  // gone, not a readable PDF, locked by a password, closed to filling (by
  // its permissions, or as an XFA form) or without a field of the table (or
  // with one of the wrong kind).
  static std::unique_ptr<OfficialForm> Open(const std::filesystem::path& file,
                                            FormFileCheck& check);
  // The check alone.
  static FormFileCheck Check(const std::filesystem::path& file);

  ~OfficialForm();
  OfficialForm(const OfficialForm&) = delete;
  OfficialForm& operator=(const OfficialForm&) = delete;

  // The SHA-256 digest (hex) of the form file's bytes.
  const std::string& FormDigest() const;
  // Whether the form has the fields that not every copy of it has.
  bool HasField(std::string_view name) const;

  // Gives every field of the table its value, every occurrence of a name
  // alike: a text field its text, cut to the field's maximum length where it
  // has one ("" empties it); a box its own "on" state, whatever that is
  // named, or "Off". Fields not in the table stay as they are; the form's
  // scripts (calculations, formats) stay in place and are not run. Where
  // the field's font lacks a character, Poppler adds a font of the system.
  void Fill(const std::vector<FormFieldValue>& values);
  // The values the table's fields hold now, one entry per occurrence: in
  // the table's order, the occurrences of a name page by page.
  std::vector<FormFieldValue> CurrentValues() const;
  // Records `info` in the PDF's metadata (it is saved with it).
  void SetRecordInfo(const RecordInfo& info);

  // The filled form as a PDF file's bytes, its fields still fillable;
  // nullopt when Poppler could not write it.
  std::optional<std::string> SaveFilled() const;

  int PageCount() const;
  // The size of page `page` (0 …) in points.
  QSizeF PageSizePoints(int page) const;
  // The page on which `area` lies and its rectangle there, in parts of the
  // page's width and height (0 … 1, from the top left), with a small margin
  // around the fields.
  std::pair<int, QRectF> AreaOf(FormArea area) const;
  // Renders `part` (in parts of the page, as AreaOf gives it; the whole
  // page by default) of page `page` of the form as filled now, at `dpiX`
  // by `dpiY` pixels per inch, with the fields' appearances.
  QImage Render(int page, double dpiX, double dpiY, const QRectF& part = QRectF(0, 0, 1, 1)) const;

 private:
  struct Document;
  explicit OfficialForm(std::unique_ptr<Document> document);
  std::unique_ptr<Document> document_;
};

// The SHA-256 digest (hex) of CanonicalFormValues(values).
std::string ValuesDigest(const std::vector<FormFieldValue>& values);

// What a file of a folder of records holds for DecideRecordFile: whether it
// is there and readable as a form, the record info Morvind recorded in it
// (empty parts when none) and the digest of its table fields' values now.
RecordFileFacts ReadRecordFile(const std::filesystem::path& file);

}  // namespace morvind
