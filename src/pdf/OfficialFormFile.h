#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "printing/FormFileCheck.h"
#include "resources/FileIdentity.h"

namespace morvind {

// The congregation's own fillable S-21 11/23 form as Morvind reads it from
// its file: checked through the gate (PdfGate.h) and for the fields of
// OfficialFormFieldTable (found by the last part of their qualified names,
// anywhere in the field tree under /Fields), then turned into Morvind's
// working copy, which every record is filled from. Poppler only ever
// reads the working copy, never the user's file.

// What the working copy's text fields must be able to show.
struct WorkingCopyOptions {
  // Every character a text field of the table other than the numbers
  // (service year, Bible studies, hours) may receive: the characters of
  // the data's code page. The number fields receive digits and ".".
  std::u32string characters;
  // A TrueType font that shows them (Liberation Sans); where a field's own
  // font lacks one of its characters, the field gets a subset of this font.
  // Empty: the fields keep their fonts.
  std::filesystem::path fontFile;
  // For outputs whose fields are drawn into the page (a PDF of records):
  // every text field of the table whose font is not embedded draws in the
  // added subset font too, so that every viewer and printer shows the same
  // and the file carries each font it uses. The fillable outputs keep the
  // form's fonts.
  bool embeddedFontsOnly = false;
};

struct PreparedForm {
  FormFileCheck check;
  FileIdentity identity;   // of the form file read
  std::string formDigest;  // SHA-256 (hex) of the form file's bytes
  // The working copy (empty unless check.Ok()): a whole, clean PDF written
  // by qpdf, whatever repair the file needed, ending in a classic
  // cross-reference table, not encrypted (a form must allow filling to get
  // here), the same bytes for the same file and options; without Morvind's
  // record info, without NeedAppearances, without field entries that name
  // nothing; the table's text fields empty and
  // without appearances, its boxes off; the AcroForm with default
  // resources (Helvetica where the form had none); fields whose font lacks
  // a character they may receive (or, with embeddedFontsOnly, is not
  // embedded) drawn in the added subset font.
  std::string workingCopy;
  bool hasRemarksTotal = false;  // the form has the optional field 905_32
  // Text fields outside the table that hold a value but no appearance of
  // their own (qualified names): the filler draws them anew (FieldsToRedraw).
  std::vector<std::string> fieldsToRedraw;
  bool Ok() const { return check.Ok(); }
};

// Reads and checks the form file (links followed) and, when
// `makeWorkingCopy`, makes the working copy; within a second or two on
// any file (ReadPdfFile, CheckPdfBytes).
PreparedForm PrepareOfficialForm(const std::filesystem::path& file,
                                 const WorkingCopyOptions& options, bool makeWorkingCopy = true);

// The same for a form file's bytes already read.
PreparedForm PrepareOfficialFormBytes(std::string_view bytes, const WorkingCopyOptions& options,
                                      bool makeWorkingCopy = true);

}  // namespace morvind
