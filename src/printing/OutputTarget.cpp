#include "printing/OutputTarget.h"

#include <unistd.h>

#include <system_error>
#include <vector>

#include "layout/CardVersion.h"

namespace morvind {
namespace {

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

// The same file, also through another spelling of its path or a link.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  std::filesystem::path x = std::filesystem::weakly_canonical(std::filesystem::absolute(a), error);
  if (error) return false;
  std::filesystem::path y = std::filesystem::weakly_canonical(std::filesystem::absolute(b), error);
  return !error && x == y;
}

}  // namespace

TargetProblem CheckOutputTarget(const std::filesystem::path& target, const DataFolder& folder,
                                const std::filesystem::path& settingsFile,
                                const StringTable& strings) {
  std::vector<std::filesystem::path> readOnly = {
      folder.PathOf(kPublisherTableFile), folder.PathOf(kGroupFile),
      folder.PathOf(kExtendedInfoFile), folder.PathOf(kRemarksFile), settingsFile};
  for (CardVersion v = 0; v < CardVersionCount(strings); ++v)
    readOnly.push_back(folder.PathOf(LayoutFileName(v)));
  for (const std::filesystem::path& file : readOnly) {
    if (!file.empty() && SameFile(target, file)) return TargetProblem::kProgramFile;
  }
  if (IsFolder(target)) return TargetProblem::kIsFolder;
  std::error_code error;
  std::filesystem::path parent = std::filesystem::absolute(target, error).parent_path();
  if (error || !IsFolder(parent)) return TargetProblem::kNoFolder;
  if (::access(parent.c_str(), W_OK | X_OK) != 0) return TargetProblem::kNotWritable;
  return TargetProblem::kNone;
}

}  // namespace morvind
