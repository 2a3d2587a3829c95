#include "app/Settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "ProgramInfo.h"
#include "app/Language.h"
#include "layout/CardVersion.h"

namespace morvind {
namespace {

constexpr std::string_view kFormat = "Format";
constexpr std::string_view kMargins = "Margins";
constexpr std::string_view kDataLocation = "Data Location";
constexpr std::string_view kFirstNameSortSection = "FN Sort";
constexpr std::string_view kFormFileKey = "Form File";

int LowByte(int value) {
  return value & 0xFF;
}

std::filesystem::path HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return std::filesystem::path();
}

}  // namespace

std::filesystem::path SettingsFileBeside(const std::filesystem::path& programFile) {
  // A program file named like "morvind.exe" loses its extension; on this
  // platform the program file usually has none, and then nothing of its
  // name may be cut off.
  std::filesystem::path settings = programFile;
  if (settings.extension().string().size() == 4) settings.replace_extension();
  settings += ".INI";
  return settings;
}

std::filesystem::path UserSettingsFile() {
  // An XDG_CONFIG_HOME that is not absolute is to be ignored.
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path folder;
  if (config && *config && std::filesystem::path(config).is_absolute()) {
    folder = config;
  } else {
    folder = HomeFolder() / ".config";
  }
  return folder / "morvind" / "morvind.INI";
}

bool IsInstalledProgram(const std::filesystem::path& programFile) {
  std::filesystem::path folder = programFile.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code error;
  return std::filesystem::is_regular_file(
      folder / ".." / "share" / "applications" / (std::string(kAppId) + ".desktop"), error);
}

std::filesystem::path SettingsFileFor(const std::filesystem::path& programFile) {
  std::filesystem::path beside = SettingsFileBeside(programFile);
  // The settings beside the program are kept where they can be written: a
  // folder that takes a new file, or a file of its own the user may write
  // (it is then written in place). An installed program's folder (/usr/bin)
  // holds neither for a user, and for root it must not receive a file that
  // no package knows of: its settings go to the user's folder instead.
  if (IsInstalledProgram(programFile)) return UserSettingsFile();
  std::filesystem::path folder = beside.parent_path();
  if (folder.empty()) folder = ".";
  if (::access(folder.c_str(), W_OK | X_OK) == 0) return beside;
  if (::access(beside.c_str(), W_OK) == 0) return beside;
  return UserSettingsFile();
}

int ReadFirstNameSort(const ProfileFile& file, std::string_view languageCode) {
  if (!IsPortuguese(languageCode)) return 0;
  return LowByte(file.GetProfileInt(kFirstNameSortSection, "Enabled", 1));
}

void ReadFormatAndMargins(const ProfileFile& file, const StringTable& strings, Settings& settings) {
  settings.dateFormat = LowByte(file.GetProfileInt(kFormat, "Alt Date Format", 0));
  settings.lastNameFirst = LowByte(file.GetProfileInt(kFormat, "Last Name First", 0));
  // Low 8 bits first, so 257 gives version 1 and -1 (255) falls back to 0.
  settings.cardVersion = LowByte(file.GetProfileInt(kFormat, "Card Version", 0));
  if (settings.cardVersion + 1 > CardVersionCount(strings)) settings.cardVersion = 0;
  // Only the values a dialog writes count; anything else means the default.
  const int form = file.GetProfileInt(kFormat, "Form", 0);
  settings.form = form == 1   ? RecordForm::kSheet1123
                  : form == 2 ? RecordForm::kOfficialForm
                              : RecordForm::kCard1015;
  settings.formFile = file.GetProfileString(kFormat, kFormFileKey, "");
  settings.unit =
      file.GetProfileInt(kFormat, "Unit", 0) == 1 ? LengthUnit::kMillimetre : LengthUnit::kInch;
  settings.topMargin = file.GetProfileString(kMargins, "Top", "0.00");
  settings.leftMargin = file.GetProfileString(kMargins, "Left", "0.20");
}

WriteResult SaveSettings(ProfileFile& file, const Settings& settings,
                         std::string_view languageCode) {
  // Each key is a write of the whole file: the first that fails would be
  // followed by as many failures of the same kind.
  WriteResult result;
  auto write = [&](std::string_view section, std::string_view key, const std::string& value) {
    if (result.Ok()) result = file.WriteProfileString(section, key, value);
  };
  write(kFormat, "Alt Date Format", std::to_string(settings.dateFormat));
  write(kFormat, "Last Name First", std::to_string(settings.lastNameFirst));
  write(kFormat, "Card Version", std::to_string(settings.cardVersion));
  write(kFormat, "Form", std::to_string(static_cast<int>(settings.form)));
  // Quoted, so that blanks at either end of the path survive the reader's
  // trimming; a path with a line break can't be stored in this file.
  if (!settings.formFile.empty() && settings.formFile.find_first_of("\r\n") == std::string::npos)
    write(kFormat, kFormFileKey, "\"" + settings.formFile + "\"");
  write(kFormat, "Unit", std::to_string(static_cast<int>(settings.unit)));
  write(kMargins, "Top", settings.topMargin);
  write(kMargins, "Left", settings.leftMargin);
  // Nothing sets a data drive; the key is kept for the file's readers and
  // always holds 0.
  write(kDataLocation, "Drive", "0");
  if (IsPortuguese(languageCode)) {
    write(kFirstNameSortSection, "Enabled", std::to_string(settings.firstNameSort));
  }
  return result;
}

}  // namespace morvind
