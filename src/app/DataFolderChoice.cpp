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

// The folder in German quotation marks: „/home/anna/Ostrel“.
std::string Quoted(const std::filesystem::path& folder) {
  return "\xE2\x80\x9E" + folder.string() + "\xE2\x80\x9C";
}

std::string MessageForFolderWithoutData(const std::filesystem::path& folder) {
  return "Im Ordner " + Quoted(folder) +
         " liegt keine tdat9.bin.\n"
         "Bitte w\xC3\xA4hlen Sie den Ordner, in dem Ostrel seine Daten speichert.";
}

// Why the folder used last is not taken again.
std::string MessageForLostFolder(const std::filesystem::path& folder, bool exists) {
  return "Der zuletzt benutzte Datenordner " + Quoted(folder) +
         (exists ? " enth\xC3\xA4lt keine tdat9.bin." : " ist nicht mehr da.");
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
  // Only a folder this program remembered (always absolute) is spoken of;
  // a hand-written relative entry is passed over in silence.
  if (!remembered.empty() && remembered.is_absolute()) {
    bool exists = std::filesystem::is_directory(remembered, error);
    messages.ShowMessage(MessageForLostFolder(remembered, exists), MessageIcon::kWarning);
    if (exists) openIn = remembered;
  }
  std::optional<std::filesystem::path> chosen =
      AskForFolderWithData(openIn, start.workingDirectory, choose, messages);
  if (!chosen) return {DataFolderSource::kNone, {}};
  Remember(settings, *chosen, messages);
  return {DataFolderSource::kChosen, DataFolder(*chosen)};
}

std::optional<std::filesystem::path> AskForFolderWithData(const std::filesystem::path& openIn,
                                                          const std::filesystem::path& base,
                                                          const FolderChooser& choose,
                                                          MessageSink& messages) {
  std::filesystem::path where = openIn;
  while (std::optional<std::filesystem::path> chosen = choose(where)) {
    std::filesystem::path folder = Absolute(*chosen, base);
    if (HoldsPublisherTable(folder)) return folder;
    messages.ShowMessage(MessageForFolderWithoutData(folder), MessageIcon::kWarning);
    where = folder;
  }
  return std::nullopt;
}

}  // namespace morvind
