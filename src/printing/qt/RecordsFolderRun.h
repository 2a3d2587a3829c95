#pragma once

#include <functional>
#include <optional>
#include <string>

#include "printing/RecordsFolder.h"
#include "printing/qt/OfficialForm.h"

namespace morvind {

// A record's file as Morvind writes it, in the folder or saved alone: the
// form filled with its values, its record info (SetRecordInfo), sealed;
// nullopt when Poppler could not write it.
std::optional<std::string> FilledRecordFile(OfficialForm& form, const FolderRecord& record);

// Saves the record's file alone into `target` (FilledRecordFile, its fields
// still fillable) through the one file writer, for the window's "Formular
// als PDF speichern…" and morvind-print --pdf alike: a file saved into a
// folder of records is that record's file there. A form Poppler could not
// write is a failed write (EIO) of the target's folder.
WriteResult SaveRecordFile(OfficialForm& form, const FolderRecord& record,
                           const std::filesystem::path& target);

// Works through `job`'s folder, one record after the other in the list's
// order, while no other run of Morvind holds the folder (else nothing is
// done and the tally says `busy`). Each record's file is read
// (ReadRecordFile) and decided on (DecideRecordFile):
// - new and replace: FilledRecordFile through the one file writer, which
//   checks just before the rename that the name still stands for what was
//   read (a file changed meanwhile is kept, and a new file never replaces
//   one that appeared);
// - unchanged: the file is not touched at all, not even its time stamp;
// - keep: listed in the tally with its reason; the form file itself is
//   never written, whatever its name.
// A publisher's file of the same year under a former name (the name of no
// record of the table now) is renamed to his name when it is Morvind's
// file as written, and then decided on as usual; otherwise it stays and is
// listed, and his file is written beside it.
// A fault of one file keeps that file and the run goes on; only a fault of
// the folder itself (a full disk, a read-only or vanished folder, an I/O
// error) stops it there (the tally's stop). `recordDone` is called after
// each record with the number done; false stops the run there (the rest
// untouched; a stop after the last record is no cancel). Files of the
// folder that belong to no record are never looked at.
RecordsFolderTally FillRecordsFolder(OfficialForm& form, const RecordsFolderJob& job,
                                     const std::function<bool(int recordsDone)>& recordDone = {});

}  // namespace morvind
