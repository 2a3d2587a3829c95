#pragma once

#include <filesystem>
#include <optional>
#include <string>

class QWidget;

namespace morvind {

class PrintDialogs;

// Why `file` can't serve as the official form, as the window says it
// ("Bitte eine Formulardatei wählen." when none is given); empty when it
// serves. The file is read for the check, and not kept open.
std::string FormFileRefusal(const std::string& file);

// Asks with `dialogs` over `parent` for the official form's PDF file,
// opening in the folder of `current` (the home folder when there is none);
// nullopt when cancelled.
std::optional<std::filesystem::path> AskForFormFile(PrintDialogs& dialogs, QWidget* parent,
                                                    const std::filesystem::path& current);

}  // namespace morvind
