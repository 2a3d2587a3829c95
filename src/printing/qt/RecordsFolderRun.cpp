#include "printing/qt/RecordsFolderRun.h"

#include <cerrno>
#include <map>
#include <system_error>
#include <unordered_set>

#include "pdf/RecordSeal.h"
#include "pdf/ValuesDigest.h"
#include "resources/FolderLock.h"

namespace morvind {
namespace {

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return !b.empty() && std::filesystem::equivalent(a, b, error);
}

// A record's file under a name no record of the table has now.
struct FormerFile {
  std::string fileName;
  RecordFileFacts facts;
};

// The files of the job's service year that no record of the table is named
// by, by the record key Morvind recorded in them, for the listed records
// only. Read once, before the run.
std::map<std::string, FormerFile> FormerFiles(const RecordsFolderJob& job) {
  std::unordered_set<std::string> keys, names(job.tableNames.begin(), job.tableNames.end());
  for (const FolderRecord& record : job.records) keys.insert(record.recordKey);
  std::map<std::string, FormerFile> former;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(job.folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name.rfind(job.namePrefix, 0) != 0 || name.size() < 4 ||
        name.compare(name.size() - 4, 4, ".pdf") != 0 || names.count(name))
      continue;
    RecordFileFacts facts = ReadRecordFile(entry->path());
    if (facts.kind != RecordFileKind::kPdf || !keys.count(facts.recordKey)) continue;
    const std::string key = facts.recordKey;
    former.emplace(key, FormerFile{name, std::move(facts)});
  }
  return former;
}

// Gives a publisher's former file his name when it is Morvind's file as
// written and nothing has the name; otherwise lists it. The facts of the
// file under the new name on success.
std::optional<RecordFileFacts> TakeOverFormerFile(const RecordsFolderJob& job,
                                                  const FolderRecord& record,
                                                  const FormerFile& former,
                                                  RecordsFolderTally& tally) {
  const RecordDecision decision = DecideRecordFile(former.facts, record.recordKey, "", "");
  if (decision.action == RecordAction::kKeep) {
    tally.kept.push_back({former.fileName, decision.reason, true});
    return std::nullopt;
  }
  const WriteResult renamed = RenameUnreplacing(
      job.folder / former.fileName, job.folder / record.fileName, former.facts.identity);
  if (!renamed.Ok()) {
    tally.kept.push_back({former.fileName, KeepReasonOf(renamed), true});
    return std::nullopt;
  }
  return former.facts;  // the same file, now by its new name
}

}  // namespace

std::optional<std::string> FilledRecordFile(OfficialForm& form, const FolderRecord& record) {
  form.Fill(record.values);
  form.SetRecordInfo(record.recordKey, ValuesDigest(record.values));
  return form.SaveFilled();
}

WriteResult SaveRecordFile(OfficialForm& form, const FolderRecord& record,
                           const std::filesystem::path& target) {
  const std::optional<std::string> bytes = FilledRecordFile(form, record);
  if (!bytes)
    return WriteResult{
        .problem = WriteProblem::kSystem, .error = EIO, .detail = target.parent_path()};
  return ReplaceFileContents(target, *bytes);
}

RecordsFolderTally FillRecordsFolder(OfficialForm& form, const RecordsFolderJob& job,
                                     const std::function<bool(int recordsDone)>& recordDone) {
  RecordsFolderTally tally;
  tally.listed = static_cast<int>(job.records.size());
  const FolderLock lock(job.folder);
  if (lock.Result() == FolderLock::State::kBusy) {
    tally.busy = true;
    return tally;
  }
  if (lock.Result() == FolderLock::State::kError) {
    tally.stopFile = job.folder.string();
    tally.stop =
        WriteResult{.problem = WriteProblem::kSystem, .error = lock.Error(), .detail = job.folder};
    return tally;
  }
  std::map<std::string, FormerFile> former = FormerFiles(job);
  const std::string& formDigest = form.FormDigest();
  for (std::size_t i = 0; i < job.records.size(); ++i) {
    const FolderRecord& record = job.records[i];
    const std::filesystem::path file = job.folder / record.fileName;
    RecordFileFacts facts = ReadRecordFile(file);
    if (const auto found = former.find(record.recordKey);
        found != former.end() && facts.kind == RecordFileKind::kMissing) {
      if (std::optional<RecordFileFacts> renamed =
              TakeOverFormerFile(job, record, found->second, tally))
        facts = *renamed;
    }
    const std::string valuesDigest = ValuesDigest(record.values);
    RecordDecision decision = DecideRecordFile(facts, record.recordKey, valuesDigest, formDigest);
    if (SameFile(file, job.formFile)) decision = {RecordAction::kKeep, KeepReason::kFormFile};
    if (decision.action == RecordAction::kLeaveUnchanged) {
      ++tally.unchanged;
    } else if (decision.action == RecordAction::kKeep) {
      tally.kept.push_back({record.fileName, decision.reason, false});
    } else {
      const std::optional<std::string> bytes = FilledRecordFile(form, record);
      WriteOptions options;
      if (decision.action == RecordAction::kWriteNew) {
        options.mustBeNew = true;
      } else {
        options.expected = facts.identity;
      }
      const WriteResult written =
          bytes ? ReplaceFileContents(file, *bytes, options)
                : WriteResult{.problem = WriteProblem::kSystem, .error = EIO, .detail = job.folder};
      if (IsFolderFault(written)) {
        tally.stopFile = record.fileName;
        tally.stop = written;
        tally.done = static_cast<int>(i);
        return tally;
      }
      if (!written.Ok()) {
        tally.kept.push_back({record.fileName, KeepReasonOf(written), false});
      } else {
        ++(decision.action == RecordAction::kWriteNew ? tally.written : tally.replaced);
      }
    }
    const int done = static_cast<int>(i + 1);
    tally.done = done;
    if (recordDone && !recordDone(done) && i + 1 < job.records.size()) {
      tally.cancelled = true;
      break;
    }
  }
  return tally;
}

}  // namespace morvind
