#include "app/RememberedFolder.h"

#include <string>
#include <system_error>

namespace morvind {
namespace {

constexpr std::string_view kSection = "Morvind";

}  // namespace

std::filesystem::path RememberedFolder(const ProfileFile& settings, std::string_view key) {
  const std::filesystem::path folder = settings.GetProfileString(kSection, key, "");
  std::error_code error;
  if (!folder.is_absolute() || !std::filesystem::is_directory(folder, error)) return {};
  return folder;
}

WriteResult RememberFolder(ProfileFile& settings, std::string_view key,
                           const std::filesystem::path& folder) {
  const std::string text = folder.lexically_normal().string();
  if (!folder.is_absolute() || text.find_first_of("\r\n") != std::string::npos) return {};
  if (settings.GetProfileString(kSection, key, "") == text) return {};
  // Quoted, so that blanks at either end of a folder name survive the
  // reader's trimming (which takes off one pair of quotes).
  return settings.WriteProfileString(kSection, key, "\"" + text + "\"");
}

}  // namespace morvind
