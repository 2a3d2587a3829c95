#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/RecordsFolder.h"
#include "printing/OfficialFormFields.h"
#include "printing/qt/OfficialForm.h"
#include "resources/FileWriter.h"

namespace morvind {

// One record of the list for the folder of records.
struct FolderRecord {
  std::string fileName;                // RecordFileNames
  std::string recordKey;               // PublisherRecordKey, CongregationRecordKey
  std::vector<FormFieldValue> values;  // OfficialFormValues
};

struct RecordsFolderResult {
  RecordsFolderTally tally;
  // The file that could not be written, which stopped the run (empty: none),
  // and why; a filled form Poppler could not produce counts as kSystem EIO.
  std::filesystem::path failedFile;
  WriteResult failure;
  bool Failed() const { return !failedFile.empty(); }
};

// Fills `form` with each record's values, in the list's order, and decides
// with DecideRecordFile, from what the record's file in `folder` holds
// (ReadRecordFile), what becomes of it; the new digest is that of the
// values as the filled form holds them (cut to a field's length), so that
// a second run finds every file unchanged:
// - new and replace: the filled form with its RecordInfo, through the one
//   file writer, so that every file is complete at any moment;
// - unchanged: the file is not touched at all, not even its time stamp;
// - keep: its name is listed in the tally.
// `recordDone` is called after each record with the number done; false
// stops the run there (the rest untouched; a stop after the last record
// is no cancel). A file that can't be written stops the run: the files
// written before it stay. Files of the folder that belong to no record are
// never looked at.
RecordsFolderResult FillRecordsFolder(OfficialForm& form, const std::filesystem::path& folder,
                                      const std::vector<FolderRecord>& records,
                                      const std::function<bool(int recordsDone)>& recordDone = {});

}  // namespace morvind
