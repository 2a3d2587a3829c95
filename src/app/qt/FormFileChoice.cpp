#include "app/qt/FormFileChoice.h"

#include <QDir>
#include <system_error>

#include "app/qt/PrintDialogs.h"
#include "printing/qt/OfficialForm.h"
#include "toolkit/QtText.h"

namespace morvind {

std::string FormFileRefusal(const std::string& file) {
  if (file.empty()) return "Bitte eine Formulardatei wählen.";
  return FormFileMessage(OfficialForm::Check(file), file);
}

std::optional<std::filesystem::path> AskForFormFile(PrintDialogs& dialogs, QWidget* parent,
                                                    const std::filesystem::path& current) {
  std::error_code error;
  std::filesystem::path folder = current.parent_path();
  if (folder.empty() || !std::filesystem::is_directory(folder, error))
    folder = FromQt(QDir::homePath());
  const QString chosen =
      dialogs.AskOpenFile(parent, QStringLiteral("Formulardatei wählen"), ToQt(folder.string()));
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::absolute(FromQt(chosen), error);
}

}  // namespace morvind
