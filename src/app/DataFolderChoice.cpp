#include "app/DataFolderChoice.h"

#include <string>
#include <system_error>

namespace morvind {
namespace {

// The program's own section, apart from the keys that other readers of the
// settings file know.
constexpr std::string_view kStartSection = "Morvind";
constexpr std::string_view kLastDataFolderKey = "Last Data Folder";

// `folder` taken from `base` when relative, without "." and ".." parts.
std::filesystem::path Absolute(const std::filesystem::path& folder,
                               const std::filesystem::path& base) {
  std::filesystem::path absolute = folder.is_absolute() ? folder : base / folder;
  absolute = absolute.lexically_normal();
  // "/data/ostrel/" and "/data/ostrel" are one folder; keep the short form.
  if (absolute.has_relative_path() && !absolute.has_filename()) absolute = absolute.parent_path();
  return absolute;
}

std::string MessageForFolderWithoutData(const std::filesystem::path& folder) {
  return "Im Ordner \xE2\x80\x9E" + folder.string() +
         "\xE2\x80\x9C liegt keine tdat9.bin.\n"
         "Bitte w\xC3\xA4hlen Sie den Ordner, in dem Ostrel seine Daten speichert.";
}

// A folder that can't be remembered is asked for again at the next start:
// the user learns why now.
void Remember(ProfileFile& settings, const std::filesystem::path& folder, MessageSink& messages) {
  messages.ShowSaveFailure(settings.Path(), RememberDataFolder(settings, folder));
}

}  // namespace

bool HoldsPublisherTable(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::is_regular_file(folder / kPublisherTableFile, error);
}

std::filesystem::path RememberedDataFolder(const ProfileFile& settings) {
  return settings.GetProfileString(kStartSection, kLastDataFolderKey, "");
}

WriteResult RememberDataFolder(ProfileFile& settings, const std::filesystem::path& folder) {
  if (!folder.is_absolute()) return {};
  std::string text = Absolute(folder, {}).string();
  if (text.find_first_of("\r\n") != std::string::npos) return {};
  if (RememberedDataFolder(settings) == text) return {};
  // Quoted, so that blanks at either end of a folder name survive the
  // reader's trimming (which takes off one pair of quotes).
  return settings.WriteProfileString(kStartSection, kLastDataFolderKey, "\"" + text + "\"");
}

DataFolderChoice FindDataFolder(const DataFolderStart& start, ProfileFile& settings,
                                const FolderChooser& choose, MessageSink& messages) {
  if (start.commandLineFolder) {
    std::filesystem::path folder = Absolute(*start.commandLineFolder, start.workingDirectory);
    if (HoldsPublisherTable(folder)) Remember(settings, folder, messages);
    return {DataFolderSource::kCommandLine, DataFolder(folder)};
  }
  if (HoldsPublisherTable(start.workingDirectory)) return {DataFolderSource::kWorkingDirectory, {}};

  std::filesystem::path remembered = RememberedDataFolder(settings);
  if (!remembered.empty() && remembered.is_absolute() && HoldsPublisherTable(remembered))
    return {DataFolderSource::kRemembered, DataFolder(remembered)};

  std::error_code error;
  std::filesystem::path openIn = start.homeFolder;
  if (!remembered.empty() && remembered.is_absolute() &&
      std::filesystem::is_directory(remembered, error)) {
    openIn = remembered;
  }
  while (std::optional<std::filesystem::path> chosen = choose(openIn)) {
    std::filesystem::path folder = Absolute(*chosen, start.workingDirectory);
    if (HoldsPublisherTable(folder)) {
      Remember(settings, folder, messages);
      return {DataFolderSource::kChosen, DataFolder(folder)};
    }
    messages.ShowMessage(MessageForFolderWithoutData(folder), MessageIcon::kWarning);
    openIn = folder;
  }
  return {DataFolderSource::kNone, {}};
}

}  // namespace morvind
