#include "OfficialRun.h"

#include <unistd.h>

#include <QPrinter>
#include <algorithm>
#include <cstdio>
#include <system_error>

#include "PrintRun.h"
#include "QtOutput.h"
#include "WriteFailure.h"
#include "app/Settings.h"
#include "pdf/FormFonts.h"
#include "printing/CardDocument.h"
#include "printing/OfficialFormFields.h"
#include "printing/RecordsFolder.h"
#include "printing/SheetContent.h"
#include "printing/qt/FilledFormPrint.h"
#include "printing/qt/OfficialForm.h"
#include "printing/qt/RecordsFolderRun.h"
#include "printing/qt/RecordsPdfFile.h"
#include "resources/FileWriter.h"

namespace morvind::cli {
namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "morvind-print: %s\n", message.c_str());
  return kExitError;
}

std::string FormProblem(const FormFileCheck& check, const std::filesystem::path& file) {
  const std::string name = file.string();
  switch (check.problem) {
    case FormFileProblem::kNone:
      break;
    case FormFileProblem::kGone:
      return "no form file " + name;
    case FormFileProblem::kNoPermission:
      return "the form file " + name + " can't be read: permission denied";
    case FormFileProblem::kNotRegular:
      return "the form file " + name + " is not a regular file";
    case FormFileProblem::kTooLarge:
      return "the form file " + name + " is larger than 8 MB";
    case FormFileProblem::kNotPdf:
      return "the form file " + name + " is not a readable PDF document";
    case FormFileProblem::kPassword:
      return "the form file " + name + " is protected by a password";
    case FormFileProblem::kNoFilling:
      return "the form file " + name + " does not allow filling in";
    case FormFileProblem::kOlderEdition:
      return name + " is the older S-21 form (before 11/23); choose the 11/23 edition";
    case FormFileProblem::kMissingField:
      return "the form file " + name + " is not a fillable form S-21 11/23: it has no field " +
             check.field;
    case FormFileProblem::kWrongKind:
      return "the form file " + name + " is not a fillable form S-21 11/23: its field " +
             check.field +
             (check.expectedKind == FormFieldKind::kText ? " is not a text field"
                                                         : " is not a check box");
  }
  return std::string();
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

std::string Forms(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " form" : " forms");
}

// Why a file was kept, as the command line says it.
std::string KeptReason(const KeptRecord& kept) {
  const char* reason = "";
  switch (kept.reason) {
    case KeepReason::kFormFile:
      reason = "it is the form file";
      break;
    case KeepReason::kLink:
      reason = "a symbolic link";
      break;
    case KeepReason::kNotRegular:
      reason = "not a regular file";
      break;
    case KeepReason::kUnreadable:
      reason = "unreadable";
      break;
    case KeepReason::kNotMorvinds:
      reason = "not written by morvind";
      break;
    case KeepReason::kOlderMorvind:
      reason = "written by an older morvind";
      break;
    case KeepReason::kOtherRecord:
      reason = "another publisher's record";
      break;
    case KeepReason::kChangedByHand:
      reason = "changed by hand";
      break;
    case KeepReason::kWriteProtected:
      reason = "write-protected";
      break;
    case KeepReason::kChangedDuringRun:
      reason = "changed while this run read it";
      break;
  }
  return (kept.oldName ? "old name, " : "") + std::string(reason);
}

int FillFolder(const CliOptions& options, const std::vector<CardRequest>& requests,
               bool firstNameSort, OfficialForm& form, const std::filesystem::path& formFile) {
  const std::filesystem::path folder =
      std::filesystem::absolute(options.outputTarget).lexically_normal();
  const RecordsFolderTally tally =
      FillRecordsFolder(form, PlanRecordsFolder(requests, firstNameSort, folder, formFile));
  if (tally.busy) return Fail("another morvind run is filling " + folder.string());
  for (const KeptRecord& kept : tally.kept)
    std::fprintf(stderr, "morvind-print: kept %s: %s\n", kept.fileName.c_str(),
                 KeptReason(kept).c_str());
  if (tally.Stopped())
    return Fail(CantWriteMessage(folder / tally.stopFile, tally.stop) + "; stopped after " +
                std::to_string(tally.done) + " of " + Forms(requests.size()));
  std::printf("morvind-print: %s in %s: %d new, %d changed, %d unchanged, %zu kept\n",
              Forms(requests.size()).c_str(), folder.c_str(), tally.written, tally.replaced,
              tally.unchanged, tally.kept.size());
  return kExitOk;
}

int PrintForms(const CliOptions& options, const std::vector<CardRequest>& requests,
               bool firstNameSort, OfficialForm& form) {
  std::string error;
  std::unique_ptr<QPrinter> printer = CupsPrinter(options.outputTarget, error);
  if (!printer) return Fail(error);
  const PrintResult result = PrintFilledForms(*printer, form, PlanRecords(requests, firstNameSort));
  if (result.outcome == PrintOutcome::kNotSpooled)
    return Fail("nothing printed: the job could not be spooled in " + result.file.string() + ": " +
                EnglishReason(result.write));
  if (result.outcome != PrintOutcome::kPrinted)
    return Fail("can't print on '" + options.outputTarget + "'");
  std::printf("morvind-print: %s sent to %s\n", Forms(requests.size()).c_str(),
              options.outputTarget.c_str());
  return kExitOk;
}

}  // namespace

std::string ChooseFormFile(const CliOptions& options, const ProfileFile& settings,
                           const StringTable& strings, std::filesystem::path& formFile) {
  Settings stored;
  ReadFormatAndMargins(settings, strings, stored);
  const RecordForm form = options.form ? *options.form : stored.form;
  if (form != RecordForm::kOfficialForm) {
    // Kept for the output check only: the user's form file is never written.
    formFile = stored.formFile;
    if (options.formFile) return "--form-file is for the official form (--form official)";
    if (options.output == OutputKind::kPdfFolder)
      return "--pdf-folder is for the official form (--form official)";
    if (options.flatten) return "--flatten is for the official form (--form official)";
    return std::string();
  }
  formFile = options.formFile ? *options.formFile : std::filesystem::path(stored.formFile);

  if (formFile.empty())
    return "no form file: give --form-file FILE (or choose one in the window's options)";
  // A stored file that fails is an error too: the command line never
  // prints another form than the one asked for.
  return FormProblem(OfficialForm::Check(formFile), formFile);
}

std::string CheckOfficialOutput(const CliOptions& options, const std::filesystem::path& target,
                                const std::filesystem::path& formFile) {
  if (formFile.empty()) return std::string();
  if (SameFile(target, formFile))
    return "won't write over " + target.string() + ": it is the form file";
  if (options.output != OutputKind::kPdfFolder) return std::string();
  std::error_code error;
  // A new folder of records is made where its parent folder is.
  const std::filesystem::path parent = std::filesystem::absolute(target).parent_path();
  if (!std::filesystem::exists(target, error) && std::filesystem::is_directory(parent, error))
    std::filesystem::create_directory(target, error);
  if (!std::filesystem::is_directory(target, error)) return "no folder " + target.string();
  if (::access(target.c_str(), W_OK | X_OK) != 0)
    return "can't write into " + target.string() + ": the folder is not writable";
  return std::string();
}

int RunOfficialForm(const CliOptions& options, const std::vector<CardRequest>& requests,
                    bool firstNameSort, const std::filesystem::path& formFile,
                    const std::string& title) {
  // A list, or two service years, go into one file only with their fields
  // drawn into the pages: a fillable file holds one record.
  const bool flattened =
      options.output == OutputKind::kPdf &&
      (options.flatten || options.bothYears || options.selection.kind == CardSelection::Kind::kAll);
  QtRuntime runtime;
  FormFileCheck check;
  std::unique_ptr<OfficialForm> form = OfficialForm::Open(
      formFile, check, WorkingCopyOptionsFor(requests.front().table->GetCodePage(), flattened));
  if (!form) return Fail(FormProblem(check, formFile));
  if (options.output == OutputKind::kOps) {
    std::string listing;
    for (const CardRequest& request : requests) {
      std::vector<FormFieldValue> values = OfficialFormValues(MakeSheetContent(request));
      // The fields a copy of the form may lack are listed where it has them.
      std::erase_if(values,
                    [&](const FormFieldValue& value) { return !form->HasField(value.name); });
      listing += "{\"op\":\"page\"}\n";
      listing += FormFieldListing(values);
    }
    return WriteListing(options, listing, Forms(requests.size()));
  }

  if (options.output == OutputKind::kPdfFolder)
    return FillFolder(options, requests, firstNameSort, *form, formFile);
  if (options.output == OutputKind::kPrinter)
    return PrintForms(options, requests, firstNameSort, *form);

  if (flattened) {
    const PrintResult written =
        WriteRecordsPdf(*form, PlanRecords(requests, firstNameSort), options.outputTarget, title);
    if (written.outcome != PrintOutcome::kPrinted)
      return Fail(CantWriteMessage(options.outputTarget, written.write));
    std::printf("morvind-print: %s written to %s\n", Forms(requests.size()).c_str(),
                std::filesystem::absolute(options.outputTarget).c_str());
    return kExitOk;
  }
  if (options.output == OutputKind::kPdf) {
    if (const WriteResult written = SaveRecordFile(
            *form, PlanRecords(requests, firstNameSort).front(), options.outputTarget);
        !written.Ok())
      return Fail(CantWriteMessage(options.outputTarget, written));
    std::printf("morvind-print: 1 form written to %s\n",
                std::filesystem::absolute(options.outputTarget).c_str());
    return kExitOk;
  }
  return Fail("choose the output: --pdf FILE, --pdf-folder DIR, --printer NAME or --ops FILE");
}

}  // namespace morvind::cli
