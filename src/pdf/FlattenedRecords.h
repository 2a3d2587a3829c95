#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace morvind {

// One PDF of many filled records of the official form, each record's form
// fields drawn into its pages from their appearance streams: no form field,
// no widget, no annotation and no script is left, so that every viewer and
// printer shows the same and nothing is changed by accident; the texts stay
// text, in the fonts the appearances use.
//
// A record is the whole PDF Poppler saves: the working copy the records
// were filled from, and the filled fields as an update after it. The
// objects of the working copy that a record's pages use unchanged (the
// form's drawing, its fonts, the appearances of its boxes) are written once
// for all records. Only the merged document is kept between records: each
// record's bytes and parsed objects may go once Add returns.
class FlattenedRecords {
 public:
  // `workingCopy`: the bytes every record begins with (copied).
  explicit FlattenedRecords(std::string_view workingCopy);
  ~FlattenedRecords();
  FlattenedRecords(const FlattenedRecords&) = delete;
  FlattenedRecords& operator=(const FlattenedRecords&) = delete;

  // Adds the pages of one record, in order, its fields drawn into them;
  // false, with nothing of it added, when qpdf can't read it or its fields
  // still wait for appearances (NeedAppearances: qpdf would leave them
  // out).
  bool Add(std::string_view record);
  int PageCount() const;

  // The whole PDF: every page in the order added, titled `title` (UTF-8),
  // without AcroForm, outline or document scripts; its streams compressed,
  // objects in object streams, the /ID made from the content. Nullopt when
  // qpdf could not write it.
  std::optional<std::string> Finish(std::string_view title);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace morvind
