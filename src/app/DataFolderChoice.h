#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "app/ProfileFile.h"
#include "data/DataFolder.h"
#include "resources/MessageSink.h"

namespace morvind {

// Where the program found its data folder at start.
enum class DataFolderSource {
  kCommandLine,       // `morvind DIR`
  kWorkingDirectory,  // started in a folder with tdat9.bin, as always
  kRemembered,        // the folder used last, from the settings file
  kChosen,            // the user picked it in the folder chooser
  kNone,              // the user cancelled the chooser: the program ends
};

// What the start knows before it looks for the data folder.
struct DataFolderStart {
  std::optional<std::filesystem::path> commandLineFolder;
  std::filesystem::path workingDirectory;
  std::filesystem::path homeFolder;  // where the chooser opens when nothing is remembered
};

struct DataFolderChoice {
  DataFolderSource source = DataFolderSource::kNone;
  // The working directory is an empty DataFolder (files by bare name, as
  // before); every other source is an absolute folder.
  DataFolder folder;
};

// Asks the user for the data folder, opening in `startFolder`; empty when
// the user cancelled. The program shows a folder dialog; tests script it.
using FolderChooser =
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& startFolder)>;

// True when `folder` holds the publisher table tdat9.bin.
bool HoldsPublisherTable(const std::filesystem::path& folder);

// The folder remembered in the settings file ("Morvind" / "Last Data
// Folder"), or an empty path.
std::filesystem::path RememberedDataFolder(const ProfileFile& settings);
// Remembers the absolute `folder` unless it is remembered already; a
// relative path, or one that a profile line can't hold (a line break), is
// not remembered. Says why the settings file could not be written.
WriteResult RememberDataFolder(ProfileFile& settings, const std::filesystem::path& folder);

// Asks through `choose`, opening in `openIn`, until the user picks a folder
// that holds tdat9.bin or cancels. A folder without it is refused with a
// message that names the missing file, and the chooser opens again there.
// A relative answer is taken from `base`. The chosen folder, absolute and
// without "." and ".." parts, or empty when the user cancelled.
std::optional<std::filesystem::path> AskForFolderWithData(const std::filesystem::path& openIn,
                                                          const std::filesystem::path& base,
                                                          const FolderChooser& choose,
                                                          MessageSink& messages);

// Finds the data folder, first match wins:
// 1. the command-line folder, as given (a folder without tdat9.bin gives an
//    empty list, as a start in an empty folder always did);
// 2. the working directory when it holds tdat9.bin: files are opened by bare
//    name and nothing is written, exactly as a start from a data folder was;
// 3. the remembered folder when it still holds tdat9.bin;
// 4. the chooser (AskForFolderWithData), opening in the remembered folder
//    when it still exists and in the home folder otherwise. A remembered
//    folder that is gone or lacks tdat9.bin is first named in a message
//    that says so.
// A command-line or chosen folder that holds tdat9.bin is remembered for
// the next start. A cancelled chooser gives kNone and writes nothing.
DataFolderChoice FindDataFolder(const DataFolderStart& start, ProfileFile& settings,
                                const FolderChooser& choose, MessageSink& messages);

}  // namespace morvind
