#include "app/qt/PrintTargets.h"

#include <QPrinter>
#include <system_error>

#include "app/qt/MainDialog.h"
#include "printing/OutputTarget.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

QString TargetMessage(TargetProblem problem, const std::filesystem::path& target) {
  const QString name = ToQt(target.string());
  switch (problem) {
    case TargetProblem::kNone:
      break;
    case TargetProblem::kProgramFile:
      return QStringLiteral(
                 "%1 wird nicht überschrieben: Morvind liest diese Datei (Daten, Layout oder "
                 "Einstellungen).")
          .arg(name);
    case TargetProblem::kIsFolder:
      return QStringLiteral("%1 ist ein Ordner.").arg(name);
    case TargetProblem::kNoFolder:
      return QStringLiteral("Den Ordner von %1 gibt es nicht.").arg(name);
    case TargetProblem::kNotWritable:
      return QStringLiteral("In den Ordner von %1 kann nicht geschrieben werden.").arg(name);
  }
  return QString();
}

}  // namespace

PrintTarget TargetOf(QPrinter& printer) {
  const QString file = printer.outputFileName();
  if (file.isEmpty()) return {PrintTarget::Kind::kQueue, FromQt(printer.printerName())};
  return {PrintTarget::Kind::kFile, std::filesystem::absolute(FromQt(file)).string()};
}

bool PrintTargets::Check(const std::filesystem::path& target) {
  // The official form's file is the user's copy of the form, whatever form
  // prints now.
  const std::filesystem::path formFile = window_.PrintState().formFile;
  std::error_code error;
  if (!formFile.empty() && std::filesystem::equivalent(target, formFile, error)) {
    window_.Messages().ShowMessage(
        target.string() + " wird nicht überschrieben: Es ist die Formulardatei.",
        MessageIcon::kWarning);
    return false;
  }
  const TargetProblem problem =
      CheckOutputTarget(target, window_.Environment().dataFolder,
                        window_.Environment().settingsFile, window_.Strings());
  if (problem == TargetProblem::kNone) return true;
  window_.Messages().ShowMessage(FromQt(TargetMessage(problem, target)), MessageIcon::kWarning);
  return false;
}

bool PrintTargets::MayPrintOn(QPrinter& printer) {
  // The file a printer prints into (as the print dialog left it) is
  // written like a saved PDF file, and is refused as such would be.
  const QString file = printer.outputFileName();
  return file.isEmpty() || Check(std::filesystem::absolute(FromQt(file)));
}

}  // namespace morvind
