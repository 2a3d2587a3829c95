#include "app/qt/PrintCommands.h"

#include <QAction>
#include <QMenu>
#include <QPrinter>
#include <optional>

#include "app/PrintNotes.h"
#include "app/RecordWords.h"
#include "app/qt/MainDialog.h"
#include "app/qt/PrintCommandTexts.h"
#include "printing/SheetRules.h"
#include "printing/TestSheet.h"
#include "printing/qt/OfficialForm.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

constexpr const char* kNoPrinterMessage = "No Printer";
constexpr const char* kNoPrinterListHelp =
    "Es ist kein Drucker eingerichtet. Die Liste lässt sich als PDF-Datei speichern.";
constexpr const char* kFileFormsTip =
    "Jedes Formular der Liste als ausfüllbare Datei in einen Ordner, eine Datei je Verkündiger "
    "und Dienstjahr";
constexpr const char* kOnlyOfficialForm = "Nur mit dem amtlichen Formular";
constexpr const char* kSaveTwoYearsTip =
    "Das vorige und das laufende Dienstjahr des gewählten Verkündigers in einer Datei, etwa für "
    "die Versammlung, in die er zieht";
constexpr const char* kOnlySheet = "Nur für das Blatt S-21 11/23 und das amtliche Formular";
constexpr const char* kTestPrintQuestion =
    "Probedruck auf Normalpapier: die Daten der Karte in Schwarz über einem Raster in Hellgrau, "
    "mit einem Kreuz an jeder Position aus „Layout Einzelheiten“. Auf eine vorgedruckte Karte "
    "gelegt, zeigt das Raster die Werte, die dort einzutragen sind. Bitte Normalpapier "
    "einlegen.";

}  // namespace

PrintCommands::PrintCommands(MainDialog& window)
    : QObject(&window),
      window_(window),
      dialogs_(window.Environment().printDialogs ? *window.Environment().printDialogs : qtDialogs_),
      targets_(window),
      files_(window, dialogs_, targets_),
      official_(window, dialogs_, files_),
      jobs_(window, dialogs_, files_, official_),
      preview_(window, dialogs_, files_, official_, jobs_) {
  struct Entry {
    Command command;
    std::string text;
    QKeySequence keys;
    void (PrintCommands::*run)();
  };
  const Entry entries[] = {
      {kPreview, "Seitenansicht…", QKeySequence(), &PrintCommands::ShowPreview},
      {kPrintList, "Liste drucken…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
       &PrintCommands::PrintList},
      {kSaveCardPdf, SaveRecordPdfEntry(window.PrintState().form),
       QKeySequence(Qt::CTRL | Qt::Key_E), &PrintCommands::SaveCardPdf},
      {kSaveListPdf, kSaveListPdfEntry, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
       &PrintCommands::SaveListPdf},
      {kFileForms, kFileFormsEntry, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E),
       &PrintCommands::FileForms},
      {kSaveTwoYears, kSaveTwoYearsEntry, QKeySequence(), &PrintCommands::SaveTwoYears},
      {kTestPrint, "Probedruck…", QKeySequence(), &PrintCommands::TestPrint},
  };
  for (const Entry& entry : entries) {
    auto* action = new QAction(ToQt(entry.text), &window);
    action->setShortcut(entry.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    // A held shortcut is one command, not one for each repeat of the key.
    action->setAutoRepeat(false);
    auto run = entry.run;
    connect(action, &QAction::triggered, this, [this, run] { (this->*run)(); });
    window.addAction(action);
    actions_[entry.command] = action;
  }
  actions_[kTestPrint]->setToolTip(QString::fromUtf8(kTestPrintTip));
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::AddTo(QMenu& menu) {
  UpdateStates();
  menu.setToolTipsVisible(true);
  for (QAction* action : actions_) menu.addAction(action);
}

void PrintCommands::UpdateStates() {
  ShowTestSheetState(*actions_[kTestPrint], window_.BuildCardRequest(), kTestPrintTip);
  const RecordForm form = window_.PrintState().form;
  actions_[kSaveCardPdf]->setText(ToQt(SaveRecordPdfEntry(form)));
  auto state = [](QAction& action, bool enabled, const char* tip, const char* reason) {
    action.setEnabled(enabled);
    action.setToolTip(QString::fromUtf8(enabled ? tip : reason));
  };
  state(*actions_[kFileForms], official_.Chosen(), kFileFormsTip, kOnlyOfficialForm);
  state(*actions_[kSaveTwoYears], IsSheetForm(form), kSaveTwoYearsTip, kOnlySheet);
}

QPrinter* PrintCommands::PrinterOrOffer(PdfOffer offer) {
  if (QPrinter* printer = window_.CurrentPrinter()) {
    if (targets_.MayPrintOn(*printer)) return printer;
    window_.FocusList();
    return nullptr;
  }
  // "No Printer" is the program's fixed text; the line under it says what
  // can be done without a printer.
  const bool list = offer == PdfOffer::kList;
  const std::string help =
      list ? kNoPrinterListHelp : NoPrinterRecordHelp(window_.PrintState().form);
  UpdateStates();  // the entries' names for the form chosen
  const std::string entry = FromQt(actions_[list ? kSaveListPdf : kSaveCardPdf]->text());
  if (window_.Messages().Offer(kNoPrinterMessage, help, MessageIcon::kWarning, entry))
    SavePdf(list, offer == PdfOffer::kTestSheet);
  window_.FocusList();
  return nullptr;
}

void PrintCommands::ReportPrinted(const PrintResult& result, const std::string& note) {
  if (result.outcome == PrintOutcome::kPrinted) {
    window_.ShowPrintNote(ToQt(note));
  } else {
    ShowPrintFailure(window_.Messages(), result);
  }
}

void PrintCommands::PrintRecord(QPrinter& printer, const CardRequest& card,
                                CardDocumentOptions options) {
  options.title = files_.DocumentTitle(false);
  const PrintTarget target = TargetOf(printer);
  ReportPrinted(window_.Print(printer, {card}, options), PrintedNote(target, options.title));
}

void PrintCommands::PrintList() {
  const std::vector<CardRequest> cards = jobs_.CardsOrMessage();
  if (!cards.empty()) {
    if (QPrinter* printer = PrinterOrOffer(PdfOffer::kList)) {
      if (const std::optional<PrintResult> result = jobs_.Print(*printer, cards))
        ReportPrinted(*result,
                      PrintedListNote(window_.PrintState().form, cards.size(), TargetOf(*printer)));
    }
  }
  window_.FocusList();
}

void PrintCommands::SavePdf(bool wholeList, bool testSheet) {
  if (wholeList) {
    jobs_.SavePdf();
  } else if (official_.Chosen() && !testSheet) {
    // The official form is saved as it is, still fillable.
    if (std::optional<CardRequest> card = window_.SelectedCardRequest())
      official_.SaveRecord(*card);
  } else {
    files_.SaveCard(testSheet ? TestSheetOptions(window_.PrintState().unit)
                              : CardDocumentOptions{});
  }
  window_.FocusList();
}

void PrintCommands::FileForms() {
  if (official_.Chosen()) jobs_.FileForms();
  window_.FocusList();
}

void PrintCommands::SaveTwoYears() {
  const std::optional<CardRequest> card = window_.SelectedCardRequest();
  if (card && IsSheetForm(card->form)) {
    const std::vector<CardRequest> years = BothServiceYears({*card});
    CardDocumentOptions options;
    options.title = TwoYearsTitle(PrintedServiceYear(years.back()), files_.SelectedName());
    const QString dialogTitle = DialogTitle(kSaveTwoYearsEntry);
    if (!official_.Chosen()) {
      files_.SaveCards(dialogTitle, years, options);
    } else if (std::unique_ptr<OfficialForm> form = official_.Open(true)) {
      files_.SaveAs(dialogTitle, options.title + ".pdf", [&](const std::filesystem::path& target) {
        return official_.WriteFlattened(*form, years, target, options.title, {});
      });
    }
  }
  window_.FocusList();
}

void PrintCommands::TestPrint() {
  std::optional<CardRequest> card = window_.SelectedCardRequest();
  if (card && TakesTestSheet(*card)) {
    QPrinter* printer = PrinterOrOffer(PdfOffer::kTestSheet);
    if (printer && window_.Messages().Ask(kTestPrintQuestion, kPrintAnswer, kCancelAnswer))
      PrintRecord(*printer, *card, TestSheetOptions(window_.PrintState().unit));
  }
  window_.FocusList();
}

void PrintCommands::ShowPreview() {
  const PrintPreview::Then then = preview_.Show();
  // The grid shown in the preview is never printed.
  if (then == PrintPreview::Then::kPrintList) {
    PrintList();
  } else if (then == PrintPreview::Then::kPrintRecord) {
    window_.PrintCard();
  } else {
    window_.FocusList();
  }
}

}  // namespace morvind
