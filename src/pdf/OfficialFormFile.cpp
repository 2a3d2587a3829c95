#include "pdf/OfficialFormFile.h"

#include "pdf/DecodeBudget.h"
#include "pdf/FormFields.h"
#include "pdf/PdfFileRead.h"
#include "pdf/QpdfDocument.h"
#include "pdf/Sha256.h"
#include "pdf/WorkingCopy.h"

namespace morvind {
namespace {

FormFileProblem ReadProblem(FileReadProblem problem) {
  switch (problem) {
    case FileReadProblem::kNone:
      break;
    case FileReadProblem::kGone:
      return FormFileProblem::kGone;
    case FileReadProblem::kNoPermission:
      return FormFileProblem::kNoPermission;
    case FileReadProblem::kLink:  // not asked for: links are followed
    case FileReadProblem::kNotRegular:
      return FormFileProblem::kNotRegular;
    case FileReadProblem::kTooLarge:
      return FormFileProblem::kTooLarge;
    case FileReadProblem::kIoError:
      return FormFileProblem::kNotPdf;
  }
  return FormFileProblem::kNone;
}

// An XFA form is filled by its own program, not through the AcroForm's
// fields.
bool IsXfaForm(QPDF& pdf) {
  QPDFObjectHandle form = pdf.getRoot().getKey("/AcroForm");
  if (!form.isDictionary()) return false;
  QPDFObjectHandle xfa = form.getKey("/XFA");
  return xfa.isStream() || xfa.isArray();
}

// Filling needs either permission (PDF's bit 6 covers annotations and
// forms, bit 9 the filling of forms alone).
bool AllowsFilling(QPDF& pdf) {
  return pdf.allowModifyForm() || pdf.allowModifyAnnotation();
}

}  // namespace

PreparedForm PrepareOfficialForm(const std::filesystem::path& file,
                                 const WorkingCopyOptions& options, bool makeWorkingCopy) {
  FileRead read = ReadPdfFile(file, LinkRule::kFollow);
  if (!read.Ok()) {
    PreparedForm refused;
    refused.check.problem = ReadProblem(read.problem);
    refused.identity = read.identity;
    return refused;
  }
  PreparedForm prepared = PrepareOfficialFormBytes(read.bytes, options, makeWorkingCopy);
  prepared.identity = read.identity;
  return prepared;
}

PreparedForm PrepareOfficialFormBytes(std::string_view bytes, const WorkingCopyOptions& options,
                                      bool makeWorkingCopy) {
  DecodeBudgetScope budget;
  PreparedForm prepared;
  prepared.formDigest = Sha256Hex(bytes);
  QpdfDocument document = OpenPdf(bytes);
  switch (document.gate.problem) {
    case PdfProblem::kNone:
      break;
    case PdfProblem::kPassword:
      prepared.check.problem = FormFileProblem::kPassword;
      return prepared;
    case PdfProblem::kNotPdf:
    case PdfProblem::kUnsafe:
      prepared.check.problem = FormFileProblem::kNotPdf;
      return prepared;
  }
  QPDF& pdf = *document.pdf;
  FormFieldsFound found;
  const bool read = CatchingQpdf([&] {
    if (!AllowsFilling(pdf) || IsXfaForm(pdf)) {
      prepared.check.problem = FormFileProblem::kNoFilling;
      return;
    }
    found = FindTableFields(document);
    prepared.check = CheckTableFields(found);
  });
  if (!read) prepared.check = FormFileCheck{FormFileProblem::kNotPdf, {}, {}};
  if (!prepared.check.Ok()) return prepared;
  const auto& table = OfficialFormFieldTable();
  for (std::size_t i = 0; i < table.size(); ++i)
    if (!table[i].required) prepared.hasRemarksTotal = !found.occurrences[i].empty();
  if (!makeWorkingCopy) return prepared;
  prepared.fieldsToRedraw = FieldsToRedraw(pdf, found);
  std::optional<std::string> copy = MakeWorkingCopy(pdf, found, options);
  if (!copy) {
    prepared.check = FormFileCheck{FormFileProblem::kNotPdf, {}, {}};
    return prepared;
  }
  prepared.workingCopy = std::move(*copy);
  return prepared;
}

}  // namespace morvind
