#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "app/ProfileFile.h"
#include "layout/LengthUnit.h"
#include "printing/RecordForm.h"
#include "resources/StringTable.h"

namespace morvind {

// The settings file of a program file: its path with a final four-character
// extension such as ".exe" dropped (only where there is one) and ".INI"
// appended, beside the program. Where that folder can't be written and
// holds no such file the user may write, or the program is an installed
// copy (IsInstalledProgram), the file is
// $XDG_CONFIG_HOME/morvind/morvind.INI (~/.config/... by default).
std::filesystem::path SettingsFileFor(const std::filesystem::path& programFile);
// True for a program file installed with its desktop entry: PREFIX/bin/x
// beside PREFIX/share/applications/<app id>.desktop. Such a program is
// shared by every user of the computer (and its folder is writable for
// root), so nobody's settings belong beside it.
bool IsInstalledProgram(const std::filesystem::path& programFile);
// The name rule alone, without the writability test.
std::filesystem::path SettingsFileBeside(const std::filesystem::path& programFile);
// $XDG_CONFIG_HOME/morvind/morvind.INI, or ~/.config/morvind/morvind.INI.
std::filesystem::path UserSettingsFile();

// The settings the main dialog reads at start and writes at exit.
struct Settings {
  int dateFormat = 0;                       // "Format" / "Alt Date Format"
  int lastNameFirst = 0;                    // "Format" / "Last Name First"
  int cardVersion = 0;                      // "Format" / "Card Version"
  RecordForm form = RecordForm::kCard1015;  // "Format" / "Form"
  std::string formFile;                     // "Format" / "Form File": the official form's PDF
  LengthUnit unit = LengthUnit::kInch;      // "Format" / "Unit"
  std::string topMargin = "0.00";           // "Margins" / "Top"
  std::string leftMargin = "0.20";          // "Margins" / "Left"
  int dataDrive = 0;                        // "Data Location" / "Drive": written, never read
  int firstNameSort = 0;                    // "FN Sort" / "Enabled", only for "portuguese"
};

// "FN Sort"/"Enabled" (default 1, low 8 bits) for "portuguese"; 0 otherwise.
int ReadFirstNameSort(const ProfileFile& file, std::string_view languageCode);

// Date format, name order and card version (low 8 bits each; a card version
// not below the version count becomes 0), the form and the unit (a missing
// or unknown value gives the card S-21 10/15 and inches), the form file as
// stored, then the two margins as stored.
void ReadFormatAndMargins(const ProfileFile& file, const StringTable& strings, Settings& settings);

// Writes every key in the fixed order: "Alt Date Format", "Last Name First",
// "Card Version", "Form", "Form File" (only once a file was chosen), "Unit",
// "Top", "Left", "Drive" (always 0), then for "portuguese" "Enabled". Stops at the first write that fails and
// returns why.
WriteResult SaveSettings(ProfileFile& file, const Settings& settings,
                         std::string_view languageCode);

}  // namespace morvind
