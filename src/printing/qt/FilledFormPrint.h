#pragma once

#include <QPrinter>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "printing/OfficialFormFields.h"
#include "printing/RecordsFolder.h"
#include "printing/qt/CupsSubmit.h"
#include "printing/qt/OfficialForm.h"
#include "printing/qt/PrintJob.h"
#include "resources/FileWriter.h"

namespace morvind {

// Hands the complete, staged PDF files of a job to the printer's queue;
// false when the queue refused it.
using FormJobSubmit = std::function<bool(QPrinter& printer, const std::vector<CupsDocument>& files,
                                         const CupsOptions& options)>;

// The CUPS options of a job of filled forms: those of CupsJobOptions with
// the media of the form's first page, never landscape (the form's pages
// carry their own orientation, and the form places itself: no margins),
// and the filled form flattened by Poppler, which draws the fields as the
// panes show them. (CUPS's own flattening writes the fields' texts anew in
// the field's font, and a font such as Helvetica in /StandardEncoding
// turns "Müller" into "M?ller" and "12¾" into "12?" there.)
CupsOptions FilledFormJobOptions(QPrinter& printer, const OfficialForm& form);

// Prints the records `forms` (PlanRecords) in order, each `form` filled
// with its values, with every page of the form; each is named in the job as
// its file would be, without ".pdf" ("S-21 2025 Müller, Jürgen"):
// - A printer that prints into a file receives exactly one filled form:
//   the PDF file with its fields still fillable, written with the
//   program's file writer (kNotWritten says why not). With more than one
//   form, nothing is written and the outcome is kNoPainter: a list goes
//   into one file only with its fields drawn into the pages
//   (WriteRecordsPdf), as the window's list print gives it such a printer.
// - A CUPS printer receives one job with one PDF document per form
//   (SubmitFilledForms).
// - Any other printer (the print preview's) is drawn on: the filled pages
//   rendered at screen resolution, each at its size from the paper's top
//   left corner.
// `formDone` is called after each form with the number done; false stops
// the print there, and nothing is printed or written (kCancelled).
PrintResult PrintFilledForms(QPrinter& printer, OfficialForm& form,
                             const std::vector<FolderRecord>& forms,
                             const std::function<bool(int formsDone)>& formDone = {});

// The forms for a CUPS queue: every filled form is first written into a
// private folder of the temporary folder (which goes away afterwards); if
// one can't be, nothing is sent (kNotSpooled, `file` is the temporary
// folder). Then `submit` hands the files over with FilledFormJobOptions,
// one document per form named as the form; false is kNoPainter.
// `formDone` as above.
PrintResult SubmitFilledForms(QPrinter& printer, OfficialForm& form,
                              const std::vector<FolderRecord>& forms,
                              const std::function<bool(int formsDone)>& formDone,
                              const FormJobSubmit& submit);

// Writes `form` filled with `values` into `target` with the program's file
// writer, its fields still fillable (no record info: see FillRecordsFolder
// for the files of a folder of records).
WriteResult WriteFilledForm(OfficialForm& form, const std::vector<FormFieldValue>& values,
                            const std::filesystem::path& target);

}  // namespace morvind
