#include "app/qt/PrintCommands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QScreen>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

#include "app/CardPlan.h"
#include "app/PrintNotes.h"
#include "app/PublisherList.h"
#include "app/RecordWords.h"
#include "app/RememberedFolder.h"
#include "app/qt/MainDialog.h"
#include "app/qt/PreviewToolBar.h"
#include "app/qt/PublisherListBox.h"
#include "printing/OutputTarget.h"
#include "printing/TestSheet.h"
#include "printing/qt/OfficialForm.h"
#include "printing/qt/RecordsFolderRun.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

// The texts of the print commands and of "&Drucken", each written once.
constexpr const char* kNoPrinterMessage = "No Printer";
constexpr const char* kEmptyListMessage = "Die Liste ist leer.";
constexpr const char* kNoPrinterListHelp =
    "Es ist kein Drucker eingerichtet. Die Liste lässt sich als PDF-Datei speichern.";
constexpr const char* kNoPrinterFormsHelp =
    "Es ist kein Drucker eingerichtet. Die Formulare lassen sich einzeln in einem Ordner "
    "ablegen.";
constexpr const char* kSaveListPdfEntry = "Liste als PDF speichern…";
constexpr const char* kFileFormsEntry = "Formulare in Ordner ablegen…";
constexpr const char* kPrintAnswer = "Drucken";
constexpr const char* kSaveAnswer = "Speichern";
constexpr const char* kCancelAnswer = "Abbrechen";
constexpr const char* kTestPrintQuestion =
    "Probedruck auf Normalpapier: die Daten der Karte in Schwarz über einem Raster in Hellgrau, "
    "mit einem Kreuz an jeder Position aus „Layout Einzelheiten“. Auf eine vorgedruckte Karte "
    "gelegt, zeigt das Raster die Werte, die dort einzutragen sind. Bitte Normalpapier "
    "einlegen.";
constexpr const char* kTestPrintTip =
    "Die Karte auf Normalpapier, über einem Raster mit den Positionen aus „Layout "
    "Einzelheiten“: zum Abgleich mit einer vorgedruckten Karte";
constexpr const char* kGridTip =
    "Das Raster des Probedrucks unter den Daten zeigen, mit einem Kreuz an jeder Position aus "
    "„Layout Einzelheiten“ (nur in der Ansicht: gedruckt wird ohne Raster)";
constexpr int kProgressIntervalMs = 40;
// The progress dialog's width: room for "Karte 123 von 909: " and a name
// of some 40 characters.
constexpr int kProgressWidthInCharacters = 60;
// Why the test print and the preview's form are not for the request.
constexpr const char* kOnlyPrePrinted = "Nur für vorgedruckte Karten S-21 10/15";

// "39 Karten", "39 Blätter": the list's records in the words of the form.
QString CardCount(RecordForm form, std::size_t count) {
  return ToQt(RecordCount(form, count));
}

// Why the test sheet can't be drawn for `card`; empty when it can.
QString NoTestSheetReason(const CardRequest& card) {
  if (TakesTestSheet(card)) return QString();
  if (!IsForPrePrintedCards(card)) return QString::fromUtf8(kOnlyPrePrinted);
  return QStringLiteral(
      "Nicht mit „Komplette Karte drucken“: die komplette Karte setzt ihre Angaben an eigene "
      "Stellen");
}

// The test print's menu entry and the preview's grid are on, with `tip`,
// exactly when the card takes the test sheet.
void ShowTestSheetState(QAction& action, const CardRequest& card, const char* tip) {
  const QString reason = NoTestSheetReason(card);
  action.setEnabled(reason.isEmpty());
  action.setToolTip(reason.isEmpty() ? QString::fromUtf8(tip) : reason);
}

// A name as part of a file name: no folder separators.
QString FileNamePart(const std::string& text) {
  QString part = ToQt(text).trimmed();
  part.replace(QLatin1Char('/'), QLatin1Char('-'));
  return part;
}

// Where `printer` puts a print: the file it prints into, else its queue.
PrintTarget TargetOf(QPrinter& printer) {
  const QString file = printer.outputFileName();
  if (file.isEmpty()) return {PrintTarget::Kind::kQueue, FromQt(printer.printerName())};
  return {PrintTarget::Kind::kFile, std::filesystem::absolute(FromQt(file)).string()};
}

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

// A folder to offer for new files: one the user may write into and has not
// write-protected. Root may write into any folder, but one without any
// write permission was protected on purpose.
bool IsWritableFolder(const std::filesystem::path& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return false;
  return ::geteuid() != 0 || (info.st_mode & 0222) != 0;
}

}  // namespace

// What the preview shows and how it was closed.
struct PrintCommands::PreviewState {
  std::optional<CardRequest> selected;
  std::vector<CardRequest> shown;
  bool grid = false;
  bool wholeList = false;
  bool printAsked = false;
};

PrintCommands::PrintCommands(MainDialog& window) : QObject(&window), window_(window) {
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
      {kSaveCardPdf, SaveRecordPdfEntry(window.form), QKeySequence(Qt::CTRL | Qt::Key_E),
       &PrintCommands::SaveCardPdf},
      {kSaveListPdf, kSaveListPdfEntry, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
       &PrintCommands::SaveListPdf},
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
  // The official form is saved as it is, still fillable, and a list of it
  // goes into a folder of records, one file each.
  actions_[kSaveCardPdf]->setText(ToQt(SaveRecordPdfEntry(window_.form)));
  actions_[kSaveListPdf]->setText(
      QString::fromUtf8(OfficialFormChosen() ? kFileFormsEntry : kSaveListPdfEntry));
}

PrintDialogs& PrintCommands::Dialogs() {
  PrintDialogs* given = window_.Environment().printDialogs;
  return given ? *given : qtDialogs_;
}

std::vector<PublisherListLine> PrintCommands::ListLines() const {
  ListBox* list = window_.PublisherList();
  std::vector<PublisherListLine> lines;
  lines.reserve(static_cast<std::size_t>(list->Count()));
  for (int i = 0; i < list->Count(); ++i) {
    const ListItem item = DecodeListItem(list->GetItemData(i));
    lines.push_back(PublisherListLine{list->Text(i), item.recordIndex, item.totals});
  }
  return lines;
}

std::vector<CardRequest> PrintCommands::ListCards() const {
  CardSelection all;
  all.kind = CardSelection::Kind::kAll;
  return PlanCards(window_.data, ListLines(), all, window_.BuildCardRequest(),
                   window_.Environment().dataFolder);
}

std::vector<CardRequest> PrintCommands::ListCardsOrMessage() {
  std::vector<CardRequest> cards = ListCards();
  if (cards.empty()) window_.Messages().ShowMessage(kEmptyListMessage, MessageIcon::kNone);
  return cards;
}

CardDocumentOptions PrintCommands::TestSheetOptions() const {
  CardDocumentOptions options;
  options.testSheet = true;
  options.gridUnit = window_.unit;
  return options;
}

QPrinter* PrintCommands::PrinterOrOffer(PdfOffer offer) {
  if (QPrinter* printer = window_.CurrentPrinter()) {
    // The file a printer prints into (as the print dialog left it) is
    // written like a saved PDF file, and is refused as such would be.
    const QString file = printer->outputFileName();
    if (file.isEmpty() || CheckTarget(std::filesystem::absolute(FromQt(file)))) return printer;
    window_.FocusList();
    return nullptr;
  }
  // "No Printer" is the program's fixed text; the line under it says what
  // can be done without a printer.
  const bool list = offer == PdfOffer::kList;
  std::string help = list ? kNoPrinterListHelp : NoPrinterRecordHelp(window_.form);
  if (list && OfficialFormChosen()) help = kNoPrinterFormsHelp;
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
  options.title = DocumentTitle(false);
  const PrintTarget target = TargetOf(printer);
  ReportPrinted(window_.Print(printer, {card}, options), PrintedNote(target, options.title));
}

template <class Outcome>
Outcome PrintCommands::WithProgress(const std::vector<CardRequest>& cards,
                                    const std::function<Outcome(const CardDocumentOptions&)>& job) {
  const int count = static_cast<int>(cards.size());
  QProgressDialog progress(&window_);
  progress.setWindowTitle(QStringLiteral("Morvind"));
  progress.setCancelButtonText(QString::fromUtf8(kCancelAnswer));
  progress.setRange(0, count);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  // One width for the whole run, and a long name shortened in its middle: a
  // dialog that followed each name would jump, and cut the longest off.
  const QFontMetrics metrics = progress.fontMetrics();
  const int width = metrics.averageCharWidth() * kProgressWidthInCharacters;
  progress.setFixedWidth(width);
  const int margin = progress.style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, &progress);
  const int room = width - 2 * std::min(width / 10, margin);  // as the dialog lays out its label
  auto label = [&](int k) {
    const QString counted =
        ToQt(RecordProgress(window_.form, static_cast<std::size_t>(k) + 1, cards.size()) + ": ");
    progress.setLabelText(
        counted + metrics.elidedText(ToQt(cards[static_cast<std::size_t>(k)].cardName),
                                     Qt::ElideMiddle, room - metrics.horizontalAdvance(counted)));
  };
  label(0);
  progress.setValue(0);
  Dialogs().KeepResponsive(progress);
  // The dialog moves and "Abbrechen" is looked at every few hundredths of
  // a second, not after every card: a card takes about half a millisecond,
  // and redrawing the dialog for each would cost more than the cards.
  QElapsedTimer sinceUpdate;
  sinceUpdate.start();
  CardDocumentOptions options;
  options.cardDone = [&](int done) {
    if (done < count && sinceUpdate.elapsed() < kProgressIntervalMs) return !progress.wasCanceled();
    sinceUpdate.restart();
    progress.setValue(done);
    if (done < count) label(done);
    Dialogs().KeepResponsive(progress);
    return !progress.wasCanceled();
  };
  // A cancel before the first card still lets that card be drawn, and the
  // document stops right after it.
  Outcome outcome = job(options);
  progress.close();
  return outcome;
}

// The folder of records runs with the same progress (OfficialFormCommands.cpp).
template RecordsFolderTally PrintCommands::WithProgress<RecordsFolderTally>(
    const std::vector<CardRequest>& cards,
    const std::function<RecordsFolderTally(const CardDocumentOptions&)>& job);

void PrintCommands::PrintList() {
  const std::vector<CardRequest> cards = ListCardsOrMessage();
  if (!cards.empty()) {
    QPrinter* printer = PrinterOrOffer(PdfOffer::kList);
    if (printer && !RefuseListIntoFile(*printer) &&
        window_.ConfirmPaperWidth(printer->pageLayout(), cards.front(), kPrintAnswer) &&
        ConfirmListPrint(cards.size(), TargetOf(*printer)))
      ReportPrinted(PrintListWithProgress(*printer, cards),
                    PrintedListNote(window_.form, cards.size(), TargetOf(*printer)));
  }
  window_.FocusList();
}

bool PrintCommands::ConfirmListPrint(std::size_t count, const PrintTarget& target) {
  return window_.Messages().Ask(ListPrintQuestion(window_.form, count, target), kPrintAnswer,
                                kCancelAnswer);
}

PrintResult PrintCommands::PrintListWithProgress(QPrinter& printer,
                                                 const std::vector<CardRequest>& cards) {
  return WithProgress<PrintResult>(cards, [&](const CardDocumentOptions& progress) {
    CardDocumentOptions options = progress;
    options.title = DocumentTitle(true);
    return window_.Print(printer, cards, options);
  });
}

void PrintCommands::TestPrint() {
  std::optional<CardRequest> card = window_.SelectedCardRequest();
  if (card && TakesTestSheet(*card)) {
    QPrinter* printer = PrinterOrOffer(PdfOffer::kTestSheet);
    if (printer && window_.Messages().Ask(kTestPrintQuestion, kPrintAnswer, kCancelAnswer))
      PrintRecord(*printer, *card, TestSheetOptions());
  }
  window_.FocusList();
}

QPageLayout PrintCommands::PdfPage() {
  if (QPrinter* printer = window_.CurrentPrinter()) return printer->pageLayout();
  return PlainPdfPage();
}

void PrintCommands::RememberPdfFolder(const std::filesystem::path& folder) {
  lastFolder_ = folder;
  ProfileFile settings(window_.Environment().settingsFile);
  window_.Messages().ShowSaveFailure(settings.Path(),
                                     RememberFolder(settings, kPdfFolderKey, folder));
}

std::filesystem::path PrintCommands::SuggestedPdfFolder() const {
  if (!lastFolder_.empty()) return lastFolder_;
  // The folder of an earlier run, while it is there.
  const std::filesystem::path remembered =
      RememberedFolder(ProfileFile(window_.Environment().settingsFile), kPdfFolderKey);
  if (!remembered.empty()) return remembered;
  std::filesystem::path data = window_.Environment().dataFolder.Dir();
  if (data.empty()) data = std::filesystem::current_path();
  data = std::filesystem::absolute(data);
  if (IsWritableFolder(data)) return data;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return FromQt(documents);
  return FromQt(QDir::homePath());
}

std::string PrintCommands::DocumentTitle(bool wholeList) const {
  QString name;
  if (wholeList) {
    name = FileNamePart(FilterCaption(PublisherFilter{window_.publisherFilter, window_.filterGroup},
                                      window_.Strings()));
  } else {
    ListBox* list = window_.PublisherList();
    name = FileNamePart(list->Text(list->GetCurSel()));
  }
  // The service year printed on the pages tells one year's file from the next.
  return RecordTitle(PrintedServiceYear(window_.BuildCardRequest()), FromQt(name));
}

QString PrintCommands::SuggestedPdfPath(bool wholeList) const {
  return ToQt((SuggestedPdfFolder() / "").string() + DocumentTitle(wholeList) + ".pdf");
}

void PrintCommands::SavePdf(bool wholeList, bool testSheet) {
  if (OfficialFormChosen() && !testSheet) {
    if (wholeList) {
      FileOfficialForms();
    } else if (std::optional<CardRequest> card = window_.SelectedCardRequest()) {
      SaveOfficialForm(*card);
    }
    window_.FocusList();
    return;
  }
  std::vector<CardRequest> cards;
  if (wholeList) {
    cards = ListCardsOrMessage();
  } else if (std::optional<CardRequest> card = window_.SelectedCardRequest()) {
    cards.push_back(*card);
  }
  const bool goAhead =
      !cards.empty() &&
      (!wholeList || window_.Messages().Ask(FromQt(CardCount(window_.form, cards.size()) +
                                                   QStringLiteral(" als PDF speichern?")),
                                            kSaveAnswer, kCancelAnswer));
  if (goAhead && window_.ConfirmPaperWidth(PdfPage(), cards.front(), kSaveAnswer)) {
    CardDocumentOptions options = testSheet ? TestSheetOptions() : CardDocumentOptions{};
    options.title = DocumentTitle(wholeList);
    // The dialog's title is the command without its ellipsis.
    const QString title =
        ToQt(wholeList ? std::string(kSaveListPdfEntry) : SaveRecordPdfEntry(window_.form))
            .remove(QChar(0x2026));
    QString suggested = SuggestedPdfPath(wholeList);
    // A file that could not be written there leaves the dialog open again
    // on the same name, so that another folder can be chosen.
    for (;;) {
      const QString chosen = Dialogs().AskSaveFile(&window_, title, suggested);
      if (chosen.isEmpty()) break;
      std::filesystem::path target = FromQt(chosen);
      if (!chosen.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) target += ".pdf";
      target = std::filesystem::absolute(target);
      if (WritePdfTo(target, cards, options, wholeList)) break;
      suggested = ToQt(target.string());
    }
  }
  window_.FocusList();
}

bool PrintCommands::CheckTarget(const std::filesystem::path& target) {
  // The official form's file is the user's copy of the form, whatever form
  // prints now.
  std::error_code error;
  if (!window_.formFile.empty() && std::filesystem::equivalent(target, window_.formFile, error)) {
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

bool PrintCommands::WritePdfTo(const std::filesystem::path& target,
                               const std::vector<CardRequest>& cards,
                               const CardDocumentOptions& options, bool wholeList) {
  if (!CheckTarget(target)) return false;
  const QPageLayout page = PdfPage();
  auto write = [&](const CardDocumentOptions& progress) {
    CardDocumentOptions drawing = options;
    drawing.cardDone = progress.cardDone;
    return WritePdfFile(cards, target, page, drawing);
  };
  const PrintResult result =
      wholeList ? WithProgress<PrintResult>(cards, write) : write(CardDocumentOptions{});
  ShowPrintFailure(window_.Messages(), result);
  if (result.outcome == PrintOutcome::kPrinted) RememberPdfFolder(target.parent_path());
  // A file that could not be written is asked for again; a cancel is not.
  return result.outcome == PrintOutcome::kPrinted || result.outcome == PrintOutcome::kCancelled;
}

void PrintCommands::SetUpPreview(QPrintPreviewDialog& preview, PreviewState& state) {
  preview.setWindowTitle(QStringLiteral("Seitenansicht"));
  // Room for a whole card at a readable size and for the tool bar.
  if (QScreen* screen = window_.screen()) {
    const QRect area = screen->availableGeometry();
    preview.resize(std::min(1100, area.width() * 9 / 10), area.height() * 9 / 10);
  }
  state.shown =
      state.selected ? std::vector<CardRequest>{*state.selected} : std::vector<CardRequest>{};
  connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
          [this, &state](QPrinter* printer) {
            window_.Print(*printer, state.shown,
                          state.grid ? TestSheetOptions() : CardDocumentOptions{});
          });
  QToolBar* bar = ReplacePreviewToolBar(preview);
  auto* pages = preview.findChild<QPrintPreviewWidget*>();
  if (!bar || !pages) return;
  // The whole page in view draws a form's rules and boxes thinner than a
  // pixel, and some vanish ("1" looks like "|"); at the page's width every
  // one shows.
  pages->fitToWidth();
  // Printing from the preview prints on the program's printer as
  // "&Drucken" and "Liste drucken…" do.
  connect(PreviewPrintAction(*bar), &QAction::triggered, &preview, [&preview, &state] {
    state.printAsked = true;
    preview.accept();
  });

  bar->addSeparator();
  QAction* grid = bar->addAction(QStringLiteral("Raster einblenden"));
  grid->setObjectName(QStringLiteral("grid"));
  grid->setCheckable(true);
  ShowTestSheetState(*grid, window_.BuildCardRequest(), kGridTip);
  connect(grid, &QAction::toggled, pages, [&state, pages](bool on) {
    state.grid = on;
    pages->updatePreview();
  });

  auto* choice = new QComboBox(bar);
  choice->setObjectName(QStringLiteral("previewChoice"));
  choice->addItem(ToQt(RecordWordsFor(window_.form).chosen));
  choice->addItem(
      QStringLiteral("Ganze Liste (%1)").arg(CardCount(window_.form, ListCards().size())));
  choice->setToolTip(QStringLiteral("Die gewählte Karte oder jede Karte der Liste zeigen"));
  if (OfficialFormChosen()) {
    // The official form is filed one publisher a file, and so previewed.
    if (auto* items = qobject_cast<QStandardItemModel*>(choice->model()))
      items->item(1)->setEnabled(false);
  }
  bar->addWidget(choice);
  // The whole list of the largest data (909 cards) opens in about 0.2 s
  // and some 6 MB: there is nothing to warn of before it opens.
  connect(choice, &QComboBox::activated, pages, [this, &state, choice, pages](int index) {
    std::vector<CardRequest> list;
    if (index == 1) list = ListCardsOrMessage();
    state.wholeList = !list.empty();
    if (state.wholeList) {
      state.shown = std::move(list);
    } else {
      choice->setCurrentIndex(0);
      state.shown =
          state.selected ? std::vector<CardRequest>{*state.selected} : std::vector<CardRequest>{};
    }
    pages->updatePreview();
  });
}

void PrintCommands::ShowPreview() {
  // The preview opens on the selected card; the whole list is a choice
  // inside it.
  PreviewState state;
  state.selected = window_.SelectedCardRequest();
  if (!state.selected) {
    // Only an empty list leaves nothing selected to say something about.
    if (window_.PublisherList()->Count() == 0)
      window_.Messages().ShowMessage(kEmptyListMessage, MessageIcon::kNone);
    window_.FocusList();
    return;
  }
  // The pages are those "&Drucken" would send to the current printer; with
  // none set up, those of a PDF file.
  QPrinter* printer = window_.CurrentPrinter();
  std::unique_ptr<QPrinter> pdf;
  if (!printer || OfficialFormChosen()) {
    pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setPageLayout(PdfPage());
    printer = pdf.get();
  }
  if (OfficialFormChosen()) {
    // The official form's pages are shown as they are, on paper of their
    // own size: the form places itself.
    std::unique_ptr<OfficialForm> form = OpenOfficialForm();
    if (!form) {
      window_.FocusList();
      return;
    }
    const QSizeF size = form->PageSizePoints(0);
    printer->setPageLayout(
        QPageLayout(QPageSize(size, QPageSize::Point),
                    size.width() > size.height() ? QPageLayout::Landscape : QPageLayout::Portrait,
                    QMarginsF()));
    printer->setFullPage(true);
  }
  {
    QPrintPreviewDialog preview(printer, &window_);
    SetUpPreview(preview, state);
    Dialogs().RunPreview(preview);
  }
  if (!state.printAsked) {
    window_.FocusList();
    return;
  }
  // The grid shown in the preview is never printed.
  if (state.wholeList) {
    PrintList();
  } else {
    window_.PrintCard();
  }
}

}  // namespace morvind
