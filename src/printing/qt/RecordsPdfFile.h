#pragma once

#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

#include "printing/RecordsFolder.h"
#include "printing/qt/OfficialForm.h"
#include "printing/qt/PrintJob.h"

namespace morvind {

// Writes the records (PlanRecords) into `target` as one PDF titled `title`:
// each filled into a fresh copy of `form`, in order, every page of it, its
// fields drawn into the pages (FlattenedRecords), through the one file
// writer. `form` should be opened for it (WorkingCopyOptionsFor with
// embeddedFontsOnly), so that the texts are drawn in embedded fonts.
// `recordDone` is called after each record with the number done; false
// stops it there: kCancelled, nothing written. kNotWritten says why the
// file could not be written (a record Poppler or qpdf could not write is a
// failed write, EIO).
PrintResult WriteRecordsPdf(OfficialForm& form, const std::vector<FolderRecord>& records,
                            const std::filesystem::path& target, std::string_view title,
                            const std::function<bool(int recordsDone)>& recordDone = {});

}  // namespace morvind
