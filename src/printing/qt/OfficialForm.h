#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pdf/OfficialFormFile.h"
#include "printing/FormFileCheck.h"
#include "printing/OfficialFormFields.h"
#include "printing/RecordFile.h"

namespace morvind {

// The parts of the form the two preview panes show.
enum class FormArea {
  kHeader,  // around the fields 900_1 … 900_12
  kTable,   // around the service year, the row fields and the total
};

// The congregation's own fillable S-21 11/23 form, in any language edition,
// read once from its file through the gate and turned into Morvind's
// working copy (PrepareOfficialForm): Poppler only ever reads that copy,
// never the user's file. Its fields are found by the last part of their
// qualified names (OfficialFormFieldTable), wherever they sit in the field
// tree; every page of the file belongs to the form.
class OfficialForm {
 public:
  // Reads and checks `file`: null, with `check` saying why, when it is
  // gone, not a file Morvind may read, not a readable PDF, locked by a
  // password, closed to filling (by its permissions, or as an XFA form),
  // the older edition, or without a field of the table (or with one of
  // the wrong kind). `options`: what its text fields must be able to show.
  static std::unique_ptr<OfficialForm> Open(const std::filesystem::path& file, FormFileCheck& check,
                                            const WorkingCopyOptions& options = {});
  // The check alone, without a working copy.
  static FormFileCheck Check(const std::filesystem::path& file);

  ~OfficialForm();
  OfficialForm(const OfficialForm&) = delete;
  OfficialForm& operator=(const OfficialForm&) = delete;

  // The SHA-256 digest (hex) of the form file's bytes, and which file was read.
  const std::string& FormDigest() const;
  const FileIdentity& Identity() const;
  // Whether the form has the fields that not every copy of it has.
  bool HasField(std::string_view name) const;
  // The working copy every fill starts from: the bytes each saved form
  // begins with.
  std::string_view WorkingCopy() const;

  // Fills a fresh copy of the working copy (nothing of an earlier fill,
  // neither its values nor their appearances nor its record info, stays):
  // every field of the table gets its value, every occurrence of a name
  // alike: a text field its text, cut to the field's maximum length where
  // it has one, with an appearance that shows it; a box its own "on" state,
  // whatever that is named, or "Off". Fields not in the table stay as they
  // are; the form's scripts (calculations, formats) stay in place and are
  // not run.
  void Fill(const std::vector<FormFieldValue>& values);
  // The values the table's fields hold now, one entry per occurrence: in
  // the table's order, the occurrences of a name page by page.
  std::vector<FormFieldValue> CurrentValues() const;
  // Records in the PDF's metadata whose record it is, the digest of its
  // values (ValuesDigest) and of the form file, and the file digest to
  // come: SaveFilled seals the file with it.
  void SetRecordInfo(std::string_view recordKey, std::string_view valuesDigest);

  // The filled form as a PDF file's bytes, its fields still fillable, and
  // sealed when it carries record info (SealRecordFile); nullopt when
  // Poppler could not write it.
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

}  // namespace morvind
