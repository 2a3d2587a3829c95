#include "printing/qt/RecordsPdfFile.h"

#include <cerrno>
#include <optional>
#include <string>

#include "pdf/FlattenedRecords.h"
#include "resources/FileWriter.h"

namespace morvind {

PrintResult WriteRecordsPdf(OfficialForm& form, const std::vector<FolderRecord>& records,
                            const std::filesystem::path& target, std::string_view title,
                            const std::function<bool(int recordsDone)>& recordDone) {
  const PrintResult failed{
      PrintOutcome::kNotWritten,
      WriteResult{.problem = WriteProblem::kSystem, .error = EIO, .detail = target.parent_path()},
      target};
  // Only the merged document stays from one record to the next: the saved
  // form of each goes as soon as its pages are copied.
  FlattenedRecords merged(form.WorkingCopy());
  for (std::size_t i = 0; i < records.size(); ++i) {
    form.Fill(records[i].values);
    const std::optional<std::string> filled = form.SaveFilled();
    if (!filled || !merged.Add(*filled)) return failed;
    if (recordDone && !recordDone(static_cast<int>(i + 1)) && i + 1 < records.size())
      return {PrintOutcome::kCancelled};
  }
  const std::optional<std::string> bytes = merged.Finish(title);
  if (!bytes) return failed;
  const WriteResult written = ReplaceFileContents(target, *bytes);
  if (!written.Ok()) return {PrintOutcome::kNotWritten, written, target};
  return {};
}

}  // namespace morvind
