#include "app/qt/PrintCommands.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QScreen>
#include <QToolBar>
#include <algorithm>

#include "app/CardPlan.h"
#include "app/PublisherList.h"
#include "app/qt/MainDialog.h"
#include "app/qt/PublisherListBox.h"
#include "data/TextServices.h"
#include "printing/OutputTarget.h"
#include "printing/qt/PdfFile.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

constexpr const char* kNoPrinterMessage = "No Printer";
constexpr int kProgressIntervalMs = 40;

QString CardCount(std::size_t count) {
  return count == 1 ? QStringLiteral("1 Karte") : QStringLiteral("%1 Karten").arg(count);
}

// A name as part of a file name: no folder separators.
QString FileNamePart(const std::string& text) {
  QString part = ToQt(text).trimmed();
  part.replace(QLatin1Char('/'), QLatin1Char('-'));
  return part;
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

// The actions the preview dialog's tool bar has and this program leaves
// out: the page set-up and orientation would change the program's printer
// behind the options dialog's back.
bool IsPrinterSetupAction(const QAction* action) {
  const QString text = action->text();
  for (const char* source : {"Page setup", "Portrait", "Landscape"})
    if (text == QCoreApplication::translate("QPrintPreviewDialog", source)) return true;
  return false;
}

bool IsPrintAction(const QAction* action) {
  return action->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print");
}

}  // namespace

PrintCommands::PrintCommands(MainDialog& window) : QObject(&window), window_(window) {
  struct Entry {
    Command command;
    const char* text;
    QKeySequence keys;
    void (PrintCommands::*run)();
  };
  const Entry entries[] = {
      {kPreview, "Seitenansicht…", QKeySequence(), &PrintCommands::ShowPreview},
      {kPrintList, "Liste drucken…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
       &PrintCommands::PrintList},
      {kSaveCardPdf, "Karte als PDF speichern…", QKeySequence(Qt::CTRL | Qt::Key_E),
       &PrintCommands::SaveCardPdf},
      {kSaveListPdf, "Liste als PDF speichern…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
       &PrintCommands::SaveListPdf},
      {kTestPrint, "Probedruck…", QKeySequence(), &PrintCommands::TestPrint},
  };
  for (const Entry& entry : entries) {
    auto* action = new QAction(QString::fromUtf8(entry.text), &window);
    action->setShortcut(entry.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    auto run = entry.run;
    connect(action, &QAction::triggered, this, [this, run] { (this->*run)(); });
    window.addAction(action);
    actions_[entry.command] = action;
  }
  actions_[kTestPrint]->setToolTip(QStringLiteral(
      "Die Karte auf Normalpapier, über dem Formular in Hellgrau: zum Vergleich mit einer "
      "vorgedruckten Karte"));
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::AddTo(QMenu& menu) {
  UpdateStates();
  menu.setToolTipsVisible(true);
  for (QAction* action : actions_) menu.addAction(action);
}

void PrintCommands::UpdateStates() {
  const bool fits = FormUnderlayFits(window_.BuildCardRequest());
  QAction* test = actions_[kTestPrint];
  test->setEnabled(fits);
  test->setToolTip(
      fits ? QStringLiteral("Die Karte auf Normalpapier, über dem Formular in Hellgrau: zum "
                            "Vergleich mit einer vorgedruckten Karte")
           : QStringLiteral("Nur für Kartenversion 0 ohne „Komplette Karte drucken“: "
                            "die Versionen 1 und 2 haben kein gezeichnetes Formular"));
}

PrintDialogs& PrintCommands::Dialogs() {
  PrintDialogs* given = window_.Environment().printDialogs;
  return given ? *given : qtDialogs_;
}

std::vector<CardRequest> PrintCommands::ListCards() const {
  ListBox* list = window_.PublisherList();
  std::vector<PublisherListLine> lines;
  lines.reserve(static_cast<std::size_t>(list->Count()));
  for (int i = 0; i < list->Count(); ++i)
    lines.push_back(PublisherListLine{list->Text(i), list->GetItemData(i)});
  CardSelection all;
  all.kind = CardSelection::Kind::kAll;
  const std::vector<int> publishers =
      SelectCards(window_.data.table, lines, all, window_.lastNameFirst != 0);

  // Every card takes the window's options; only the publisher and the
  // texts chosen for them change, as PlanCardRequest does for the command
  // line.
  const CardRequest base = window_.BuildCardRequest();
  std::vector<CardRequest> cards;
  cards.reserve(publishers.size());
  ExtendedInfo info;
  for (int publisher : publishers) {
    CardRequest card = base;
    card.publisher = publisher;
    CardTexts texts = CardTextsFor(window_.data, publisher, base.useLongName, base.lastNameFirst,
                                   base.completeCard, window_.Environment().dataFolder, info);
    card.cardName = texts.cardName;
    card.cardMobile = texts.cardMobile;
    if (texts.checkGenderBox) card.genderTicks = true;
    cards.push_back(std::move(card));
  }
  return cards;
}

template <class Outcome>
Outcome PrintCommands::WithProgress(const std::vector<CardRequest>& cards,
                                    const std::function<Outcome(const CardDocumentOptions&)>& job) {
  const int count = static_cast<int>(cards.size());
  QProgressDialog progress(&window_);
  progress.setWindowTitle(QStringLiteral("Morvind"));
  progress.setCancelButtonText(QStringLiteral("Abbrechen"));
  progress.setRange(0, count);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  auto label = [&](int k) {
    progress.setLabelText(QStringLiteral("Karte %1 von %2: %3")
                              .arg(k + 1)
                              .arg(count)
                              .arg(ToQt(cards[static_cast<std::size_t>(k)].cardName)));
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

QPrinter* PrintCommands::PrinterOrMessage() {
  QPrinter* printer = window_.CurrentPrinter();
  if (!printer) {
    // As for one card: no printer is set up.
    window_.Messages().ShowMessage(kNoPrinterMessage, MessageIcon::kNone);
    window_.FocusList();
  }
  return printer;
}

void PrintCommands::PrintList() {
  std::vector<CardRequest> cards = ListCards();
  if (cards.empty()) {
    window_.FocusList();
    return;
  }
  QPrinter* printer = PrinterOrMessage();
  if (!printer) return;
  if (window_.Messages().Ask(FromQt(CardCount(cards.size()) + QStringLiteral(" drucken?")),
                             "Drucken", "Abbrechen")) {
    PrintResult result = WithProgress<PrintResult>(cards, [&](const CardDocumentOptions& options) {
      return window_.Print(*printer, cards, options);
    });
    ShowPrintFailure(window_.Messages(), result);
  }
  window_.FocusList();
}

void PrintCommands::TestPrint() {
  std::optional<CardRequest> card = window_.SelectedCardRequest();
  if (!card || !FormUnderlayFits(*card)) {
    window_.FocusList();
    return;
  }
  QPrinter* printer = PrinterOrMessage();
  if (!printer) return;
  const char* question =
      "Probedruck auf Normalpapier: die Daten der Karte in Schwarz über dem Formular in "
      "Hellgrau, zum Vergleich mit einer vorgedruckten Karte. Bitte Normalpapier einlegen.";
  if (window_.Messages().Ask(question, "Drucken", "Abbrechen")) {
    CardDocumentOptions options;
    options.formUnderlay = true;
    ShowPrintFailure(window_.Messages(), window_.Print(*printer, {*card}, options));
  }
  window_.FocusList();
}

QPageLayout PrintCommands::PdfPage() {
  if (QPrinter* printer = window_.CurrentPrinter()) return printer->pageLayout();
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  return pdf.pageLayout();
}

QString PrintCommands::SuggestedPdfPath(bool wholeList) const {
  QString name;
  if (wholeList) {
    name = FileNamePart(FilterCaption(PublisherFilter{window_.publisherFilter, window_.filterGroup},
                                      window_.Strings()));
  } else {
    ListBox* list = window_.PublisherList();
    name = FileNamePart(list->Text(list->GetCurSel()));
  }
  std::filesystem::path folder = lastFolder_;
  if (folder.empty()) {
    folder = window_.Environment().dataFolder.Dir();
    if (folder.empty()) folder = std::filesystem::current_path();
  }
  folder = std::filesystem::absolute(folder);
  return ToQt((folder / "").string()) + QStringLiteral("S-21 ") + name + QStringLiteral(".pdf");
}

void PrintCommands::SavePdf(bool wholeList) {
  std::vector<CardRequest> cards;
  if (wholeList) {
    cards = ListCards();
  } else if (std::optional<CardRequest> card = window_.SelectedCardRequest()) {
    cards.push_back(*card);
  }
  if (cards.empty()) {
    window_.FocusList();
    return;
  }
  if (wholeList && !window_.Messages().Ask(
                       FromQt(CardCount(cards.size()) + QStringLiteral(" als PDF speichern?")),
                       "Speichern", "Abbrechen")) {
    window_.FocusList();
    return;
  }
  const QString title = wholeList ? QStringLiteral("Liste als PDF speichern")
                                  : QStringLiteral("Karte als PDF speichern");
  const QString chosen = Dialogs().AskSaveFile(&window_, title, SuggestedPdfPath(wholeList));
  if (chosen.isEmpty()) {
    window_.FocusList();
    return;
  }
  std::filesystem::path target = FromQt(chosen);
  if (!chosen.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) target += ".pdf";
  target = std::filesystem::absolute(target);

  const TargetProblem problem =
      CheckOutputTarget(target, window_.Environment().dataFolder,
                        window_.Environment().settingsFile, window_.Strings());
  if (problem != TargetProblem::kNone) {
    window_.Messages().ShowMessage(FromQt(TargetMessage(problem, target)), MessageIcon::kWarning);
    window_.FocusList();
    return;
  }
  const QPageLayout page = PdfPage();
  auto write = [&](const CardDocumentOptions& options) {
    return WritePdfFile(cards, target, page, options);
  };
  const PrintResult result =
      wholeList ? WithProgress<PrintResult>(cards, write) : write(CardDocumentOptions{});
  if (result.outcome == PrintOutcome::kPrinted) lastFolder_ = target.parent_path();
  ShowPrintFailure(window_.Messages(), result);
  window_.FocusList();
}

void PrintCommands::SetUpPreview(QPrintPreviewDialog& preview, std::vector<CardRequest>& shown,
                                 bool& form, bool& printAsked) {
  preview.setWindowTitle(QStringLiteral("Seitenansicht"));
  // Room for a whole card at a readable size and for the tool bar.
  if (QScreen* screen = window_.screen()) {
    const QRect area = screen->availableGeometry();
    preview.resize(std::min(1100, area.width() * 9 / 10), area.height() * 9 / 10);
  }
  QToolBar* bar = preview.findChild<QToolBar*>();
  auto* pages = preview.findChild<QPrintPreviewWidget*>();
  if (!bar || !pages) return;
  for (QAction* action : bar->actions()) {
    if (IsPrinterSetupAction(action)) action->setVisible(false);
    if (IsPrintAction(action)) {
      // Printing from the preview prints on the program's printer as
      // "&Drucken" and "Liste drucken…" do, without Qt's print dialog.
      QObject::disconnect(action, nullptr, &preview, nullptr);
      connect(action, &QAction::triggered, &preview, [&preview, &printAsked] {
        printAsked = true;
        preview.accept();
      });
    }
  }

  bar->addSeparator();
  QAction* underlay = bar->addAction(QStringLiteral("Formular einblenden"));
  underlay->setObjectName(QStringLiteral("formUnderlay"));
  underlay->setCheckable(true);
  const bool fits = FormUnderlayFits(window_.BuildCardRequest());
  underlay->setEnabled(fits);
  underlay->setToolTip(
      fits ? QStringLiteral("Das Formular der Karte in Hellgrau unter den Daten zeigen (nur in der "
                            "Ansicht: gedruckt wird ohne Formular)")
           : QStringLiteral("Nur für Kartenversion 0 ohne „Komplette Karte drucken“: die "
                            "Versionen 1 und 2 haben kein gezeichnetes Formular"));

  std::optional<CardRequest> selected = window_.SelectedCardRequest();
  const std::size_t listCount = ListCards().size();
  auto* choice = new QComboBox(bar);
  choice->setObjectName(QStringLiteral("previewChoice"));
  choice->addItem(QStringLiteral("Gewählte Karte"));
  choice->addItem(QStringLiteral("Ganze Liste (%1)").arg(CardCount(listCount)));
  choice->setToolTip(QStringLiteral("Die gewählte Karte oder jede Karte der Liste zeigen"));
  bar->addWidget(choice);

  connect(underlay, &QAction::toggled, pages, [&form, pages](bool on) {
    form = on;
    pages->updatePreview();
  });
  // The whole list of the largest data (909 cards) opens in about 0.2 s
  // and some 6 MB: there is nothing to warn of before it opens.
  connect(choice, &QComboBox::activated, pages, [this, &shown, selected, pages](int index) {
    if (index == 1) {
      shown = ListCards();
    } else {
      shown = selected ? std::vector<CardRequest>{*selected} : std::vector<CardRequest>{};
    }
    pages->updatePreview();
  });
  shown = selected ? std::vector<CardRequest>{*selected} : std::vector<CardRequest>{};
  connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
          [this, &shown, &form](QPrinter* printer) {
            CardDocumentOptions options;
            options.formUnderlay = form;
            window_.Print(*printer, shown, options);
          });
}

void PrintCommands::ShowPreview() {
  // The preview opens on the selected card; the whole list is a choice
  // inside it.
  if (!window_.SelectedCardRequest()) {
    window_.FocusList();
    return;
  }
  // The pages are those "&Drucken" would send to the current printer; with
  // none set up, those of a PDF file.
  QPrinter* printer = window_.CurrentPrinter();
  std::unique_ptr<QPrinter> pdf;
  if (!printer) {
    pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setPageLayout(PdfPage());
    printer = pdf.get();
  }
  std::vector<CardRequest> shown;
  bool form = false;
  bool printAsked = false;
  bool wholeList = false;
  {
    QPrintPreviewDialog preview(printer, &window_);
    SetUpPreview(preview, shown, form, printAsked);
    Dialogs().RunPreview(preview);
    auto* choice = preview.findChild<QComboBox*>(QStringLiteral("previewChoice"));
    wholeList = choice && choice->currentIndex() == 1;
  }
  if (!printAsked) {
    window_.FocusList();
    return;
  }
  // The form shown in the preview is never printed.
  if (wholeList) {
    PrintList();
  } else {
    window_.PrintCard();
  }
}

}  // namespace morvind
