#include "printing/qt/RecordsFolderRun.h"

#include <cerrno>

namespace morvind {

RecordsFolderResult FillRecordsFolder(OfficialForm& form, const std::filesystem::path& folder,
                                      const std::vector<FolderRecord>& records,
                                      const std::function<bool(int recordsDone)>& recordDone) {
  RecordsFolderResult result;
  RecordsFolderTally& tally = result.tally;
  tally.listed = static_cast<int>(records.size());
  const std::string& formDigest = form.FormDigest();
  for (std::size_t i = 0; i < records.size(); ++i) {
    const FolderRecord& record = records[i];
    const std::filesystem::path file = folder / record.fileName;
    const RecordFileFacts facts = ReadRecordFile(file);
    form.Fill(record.values);
    const std::string digest = ValuesDigest(form.CurrentValues());
    const RecordAction action = DecideRecordFile(facts, record.recordKey, digest, formDigest);
    if (action == RecordAction::kLeaveUnchanged) {
      ++tally.unchanged;
    } else if (action == RecordAction::kKeep) {
      tally.kept.push_back(record.fileName);
    } else {
      form.SetRecordInfo({record.recordKey, digest, formDigest});
      const std::optional<std::string> bytes = form.SaveFilled();
      const WriteResult written =
          bytes ? ReplaceFileContents(file, *bytes)
                : WriteResult{.problem = WriteProblem::kSystem, .error = EIO, .detail = folder};
      if (!written.Ok()) {
        result.failedFile = file;
        result.failure = written;
        return result;
      }
      ++(action == RecordAction::kWriteNew ? tally.written : tally.replaced);
    }
    const int done = static_cast<int>(i + 1);
    if (recordDone && !recordDone(done) && i + 1 < records.size()) {
      tally.cancelled = true;
      break;
    }
  }
  return result;
}

}  // namespace morvind
