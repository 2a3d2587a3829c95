#include "app/qt/PrintPreview.h"

#include <QAction>
#include <QComboBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QStandardItemModel>
#include <QToolBar>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "app/RecordWords.h"
#include "app/qt/ListJobs.h"
#include "app/qt/MainDialog.h"
#include "app/qt/OfficialFormCommands.h"
#include "app/qt/PdfSaving.h"
#include "app/qt/PreviewToolBar.h"
#include "app/qt/PrintCommandTexts.h"
#include "app/qt/PrintDialogs.h"
#include "app/qt/PublisherListBox.h"
#include "printing/qt/OfficialForm.h"
#include "toolkit/QtText.h"

namespace morvind {

// What the preview shows and how it was closed.
struct PrintPreview::State {
  std::optional<CardRequest> selected;
  std::vector<CardRequest> shown;
  bool grid = false;
  bool wholeList = false;
  bool printAsked = false;
};

PrintPreview::PrintPreview(MainDialog& window, PrintDialogs& dialogs, PdfSaving& files,
                           OfficialFormCommands& official, ListJobs& jobs)
    : window_(window), dialogs_(dialogs), files_(files), official_(official), jobs_(jobs) {}

void PrintPreview::SetUp(QPrintPreviewDialog& preview, State& state) {
  preview.setWindowTitle(QStringLiteral("Seitenansicht"));
  // Room for a whole card at a readable size and for the tool bar.
  if (QScreen* screen = window_.screen()) {
    const QRect area = screen->availableGeometry();
    preview.resize(std::min(1100, area.width() * 9 / 10), area.height() * 9 / 10);
  }
  state.shown =
      state.selected ? std::vector<CardRequest>{*state.selected} : std::vector<CardRequest>{};
  const LengthUnit unit = window_.PrintState().unit;
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [this, &state, unit](QPrinter* printer) {
                     window_.Print(*printer, state.shown,
                                   state.grid ? TestSheetOptions(unit) : CardDocumentOptions{});
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
  QObject::connect(PreviewPrintAction(*bar), &QAction::triggered, &preview, [&preview, &state] {
    state.printAsked = true;
    preview.accept();
  });

  bar->addSeparator();
  QAction* grid = bar->addAction(QStringLiteral("Raster einblenden"));
  grid->setObjectName(QStringLiteral("grid"));
  grid->setCheckable(true);
  ShowTestSheetState(*grid, window_.BuildCardRequest(), kGridTip);
  QObject::connect(grid, &QAction::toggled, pages, [&state, pages](bool on) {
    state.grid = on;
    pages->updatePreview();
  });

  const RecordForm form = window_.PrintState().form;
  auto* choice = new QComboBox(bar);
  choice->setObjectName(QStringLiteral("previewChoice"));
  choice->addItem(ToQt(RecordWordsFor(form).chosen));
  choice->addItem(
      QStringLiteral("Ganze Liste (%1)").arg(ToQt(RecordCount(form, jobs_.Cards().size()))));
  choice->setToolTip(QStringLiteral("Die gewählte Karte oder jede Karte der Liste zeigen"));
  if (official_.Chosen()) {
    // The official form is filed one publisher a file, and so previewed.
    if (auto* items = qobject_cast<QStandardItemModel*>(choice->model()))
      items->item(1)->setEnabled(false);
  }
  bar->addWidget(choice);
  // The whole list of the largest data (909 cards) opens in about 0.2 s
  // and some 6 MB: there is nothing to warn of before it opens.
  QObject::connect(choice, &QComboBox::activated, pages, [this, &state, choice, pages](int index) {
    std::vector<CardRequest> list;
    if (index == 1) list = jobs_.CardsOrMessage();
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

PrintPreview::Then PrintPreview::Show() {
  // The preview opens on the selected card; the whole list is a choice
  // inside it.
  State state;
  state.selected = window_.SelectedCardRequest();
  if (!state.selected) {
    // Only an empty list leaves nothing selected to say something about.
    if (window_.PublisherList()->Count() == 0)
      window_.Messages().ShowMessage(kEmptyListMessage, MessageIcon::kNone);
    return Then::kNothing;
  }
  // The pages are those "&Drucken" would send to the current printer; with
  // none set up, those of a PDF file.
  QPrinter* printer = window_.CurrentPrinter();
  std::unique_ptr<QPrinter> pdf;
  if (!printer || official_.Chosen()) {
    pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setPageLayout(files_.Page());
    printer = pdf.get();
  }
  if (official_.Chosen()) {
    // The official form's pages are shown as they are, on paper of their
    // own size: the form places itself.
    std::unique_ptr<OfficialForm> form = official_.Open();
    if (!form) return Then::kNothing;
    const QSizeF size = form->PageSizePoints(0);
    printer->setPageLayout(
        QPageLayout(QPageSize(size, QPageSize::Point),
                    size.width() > size.height() ? QPageLayout::Landscape : QPageLayout::Portrait,
                    QMarginsF()));
    printer->setFullPage(true);
  }
  {
    QPrintPreviewDialog preview(printer, &window_);
    SetUp(preview, state);
    dialogs_.RunPreview(preview);
  }
  if (!state.printAsked) return Then::kNothing;
  return state.wholeList ? Then::kPrintList : Then::kPrintRecord;
}

}  // namespace morvind
