#include "app/qt/ListJobs.h"

#include <QPrinter>
#include <memory>

#include "app/CardPlan.h"
#include "app/PrintNotes.h"
#include "app/RecordWords.h"
#include "app/qt/ListProgress.h"
#include "app/qt/MainDialog.h"
#include "app/qt/OfficialFormCommands.h"
#include "app/qt/PdfSaving.h"
#include "app/qt/PrintCommandTexts.h"
#include "app/qt/PrintTargets.h"
#include "app/qt/PublisherListBox.h"
#include "printing/qt/OfficialForm.h"
#include "printing/qt/PdfFile.h"
#include "toolkit/QtText.h"

namespace morvind {

ListJobs::ListJobs(MainDialog& window, PrintDialogs& dialogs, PdfSaving& files,
                   OfficialFormCommands& official)
    : window_(window), dialogs_(dialogs), files_(files), official_(official) {}

std::vector<PublisherListLine> ListJobs::Lines() const {
  ListBox* list = window_.PublisherList();
  std::vector<PublisherListLine> lines;
  lines.reserve(static_cast<std::size_t>(list->Count()));
  for (int i = 0; i < list->Count(); ++i) {
    const ListItem item = DecodeListItem(list->GetItemData(i));
    lines.push_back(PublisherListLine{list->Text(i), item.recordIndex, item.totals});
  }
  return lines;
}

std::vector<CardRequest> ListJobs::Cards() const {
  CardSelection all;
  all.kind = CardSelection::Kind::kAll;
  return PlanCards(*window_.PrintState().data, Lines(), all, window_.BuildCardRequest(),
                   window_.Environment().dataFolder);
}

std::vector<CardRequest> ListJobs::CardsOrMessage() {
  std::vector<CardRequest> cards = Cards();
  if (cards.empty()) window_.Messages().ShowMessage(kEmptyListMessage, MessageIcon::kNone);
  return cards;
}

std::optional<PrintResult> ListJobs::Print(QPrinter& printer,
                                           const std::vector<CardRequest>& cards) {
  if (!window_.ConfirmPaperWidth(printer.pageLayout(), cards.front(), kPrintAnswer) ||
      !window_.Messages().Ask(
          ListPrintQuestion(window_.PrintState().form, cards.size(), TargetOf(printer)),
          kPrintAnswer, kCancelAnswer))
    return std::nullopt;
  const std::string title = files_.DocumentTitle(true);
  // A printer that prints into a file gets the official forms as the list's
  // PDF file has them: one fillable file holds one record.
  std::unique_ptr<OfficialForm> form;
  const bool intoFile = official_.Chosen() && PrintsIntoFile(printer);
  if (intoFile && !(form = official_.Open(true))) return std::nullopt;
  PrintResult result;
  WithListProgress(window_, dialogs_, cards, [&](const RecordDone& recordDone) {
    if (intoFile) {
      const std::filesystem::path file = FromQt(printer.outputFileName());
      result = official_.WriteFlattened(*form, cards, std::filesystem::absolute(file), title,
                                        recordDone);
      return;
    }
    CardDocumentOptions options;
    options.cardDone = recordDone;
    options.title = title;
    result = window_.Print(printer, cards, options);
  });
  return result;
}

void ListJobs::SavePdf() {
  const std::vector<CardRequest> cards = CardsOrMessage();
  const RecordForm form = window_.PrintState().form;
  if (cards.empty() ||
      !window_.Messages().Ask(RecordCount(form, cards.size()) + " als PDF speichern?", kSaveAnswer,
                              kCancelAnswer) ||
      !window_.ConfirmPaperWidth(files_.Page(), cards.front(), kSaveAnswer))
    return;
  // The official forms go into the file with their fields drawn into the
  // pages; the drawn forms as the printer's pages.
  std::unique_ptr<OfficialForm> official;
  if (official_.Chosen() && !(official = official_.Open(true))) return;
  CardDocumentOptions options;
  options.title = files_.DocumentTitle(true);
  const QPageLayout page = files_.Page();
  files_.SaveAs(DialogTitle(kSaveListPdfEntry), options.title + ".pdf",
                [&](const std::filesystem::path& target) {
                  PrintResult result;
                  WithListProgress(window_, dialogs_, cards, [&](const RecordDone& recordDone) {
                    if (official) {
                      result = official_.WriteFlattened(*official, cards, target, options.title,
                                                        recordDone);
                      return;
                    }
                    CardDocumentOptions drawing = options;
                    drawing.cardDone = recordDone;
                    result = WritePdfFile(cards, target, page, drawing);
                  });
                  return result;
                });
}

void ListJobs::FileForms() {
  const std::vector<CardRequest> cards = CardsOrMessage();
  if (cards.empty() ||
      !window_.Messages().Ask(
          RecordCount(RecordForm::kOfficialForm, cards.size()) + " in Ordner ablegen?", "Ablegen",
          kCancelAnswer))
    return;
  official_.FileIntoFolder(cards);
}

}  // namespace morvind
