// The whole data folder, as the window loads and prints it. Option byte 0:
// bits 0..3 leave out "tdat9.bin", "bkstudy.dat", "xten7.dat",
// "remark9.dat"; byte 1 picks the language code; byte 2 the settings and
// wishes (bits 0-1 date format, 2 last name first, 3-4 card version, 5
// previous service year, 6 totals, 7 no long name); byte 3 the month of the
// start date (2024). The four parts are the four files. Every folder is
// printed and previewed as cards, complete cards and sheets S-21 11/23.

#include "app/CardPlan.h"
#include "app/Language.h"
#include "app/PublisherList.h"
#include "data/CodePage.h"
#include "fuzz/DataChecks.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"
#include "layout/CardVersion.h"
#include "layout/LayoutFile.h"
#include "preview/BodyPreview.h"
#include "preview/HeaderPreview.h"
#include "preview/SheetPreview.h"
#include "printing/CardDocument.h"

namespace morvind::fuzz {
namespace {

constexpr std::string_view kTarget = "data_folder";
constexpr int kUnits = 600;
constexpr std::string_view kFiles[] = {kPublisherTableFile, kGroupFile, kExtendedInfoFile,
                                       kRemarksFile};

}  // namespace

int FuzzDataFolder(const std::uint8_t* data, std::size_t size) {
  const SplitInput input = Split(data, size, 4, 4);
  for (std::size_t f = 0; f < 4; ++f)
    PutFile(kFiles[f], input.parts[f], (input.Option(0) & (1u << f)) == 0);
  const std::string_view language = LanguageFor(input.Option(1));
  const StringTable& strings = StringsFor(language);
  const std::uint8_t choice = input.Option(2);
  const DataFolder& folder = ScratchFolder();

  static CongregationData congregation;
  if (!congregation.table.IsAllocated() && !congregation.table.Allocate()) return 0;
  PublisherTable& table = congregation.table;
  table.SetCodePage(CodePageForLanguage(language));
  bool passwordFailed = false;
  LoadCongregationData(congregation, folder, {}, passwordFailed);

  Settings settings;
  settings.dateFormat = (choice & 3) | ((choice >> 3) & 4);  // bit 5: formats 4..7
  settings.lastNameFirst = (choice >> 2) & 1;
  settings.cardVersion = ValidCardVersion(strings, (choice >> 3) & 3);
  settings.firstNameSort = IsPortuguese(language) ? 1 : 0;
  if (settings.firstNameSort) SortPublishersByName(table, true);

  CheckPublisherTexts(table, strings, {language}, kTarget);
  CheckRemarks(table, congregation.remarks, kTarget);

  const ReportPeriod period = ReportPeriodFor(LocalDate{2024, 1 + input.Option(3) % 12, 15});
  bool hasUnassigned = false;
  const std::vector<PublisherListLine> lines =
      PublisherListLines(table, PublisherFilter{}, period.reportMonth, period.reportYearShort,
                         settings.firstNameSort != 0, hasUnassigned);
  const std::vector<ListItem> cards =
      SelectCards(table, lines, CardSelection{}, settings.lastNameFirst != 0);
  FUZZ_CHECK(cards.size() + 1 <= static_cast<std::size_t>(table.Count()), kTarget,
             "more cards than publishers");

  for (int mode : {0, 1, 2}) {  // the card, the complete card, the sheet
    const bool complete = mode == 1, sheet = mode == 2;
    PrintWishes wishes;
    wishes.form = sheet ? RecordForm::kSheet1123 : RecordForm::kCard1015;
    wishes.cardVersion = settings.cardVersion;
    wishes.completeCard = complete;
    wishes.previousYear = (choice >> 5) & 1;
    wishes.totals = (choice >> 6) & 1;
    wishes.useLongName = ((choice >> 7) & 1) == 0;
    wishes.genderTicks = true;
    wishes.months.fill(true);

    CardSetup setup;
    setup.strings = &strings;
    setup.languageCode = std::string(language);
    setup.fontCharset = FontCharsetFor(language);
    setup.settings = settings;
    setup.period = period;
    setup.choices = ChoosePrintOptions(wishes, period.reportMonth);
    LoadLayoutOrDefaults(setup.layout, setup.choices.cardVersion, folder, strings);

    const CardRequest base = BaseCardRequest(congregation, setup);
    std::vector<CardRequest> requests;
    requests.reserve(cards.size());
    for (const ListItem& card : cards) {
      requests.push_back(PlanCardRequest(congregation, card.recordIndex, base, folder));
      FUZZ_CHECK(IsValidUtf8(requests.back().cardName) && IsValidUtf8(requests.back().cardMobile),
                 kTarget, "the printed name or mobile telephone is not valid UTF-8");
    }
    // The sheet also gives the congregation's totals records, added up
    // from every record of the table.
    if (sheet)
      for (TotalsCategory category : kTotalsCategories)
        requests.push_back(PlanTotalsRequest(category, base));
    RecordingSurface surface(kUnits, kUnits);
    DrawCardDocument(surface, requests);
    CheckDrawing(surface, -2 * kUnits, 30 * kUnits, kTarget, complete ? "complete cards" : "cards");

    // The two panes show each of these publishers as the window would (the
    // complete card's panes only for the first: they differ little).
    for (const CardRequest& request : requests) {
      if (complete && &request != &requests.front()) break;
      RecordingSurface pane;
      (sheet ? DrawSheetHeaderPreview : DrawHeaderPreview)(0, 0, 400, 80, pane, request);
      CheckDrawing(pane, -400, 800, kTarget, "header preview");
      pane.Clear();
      if (sheet) DrawSheetTablePreview(0, 0, 540, 210, pane, request);
      if (!sheet) DrawBodyPreview(0, 0, 540, 210, pane, request, 1, 1);
      CheckDrawing(pane, -540, 1080, kTarget, "body preview");
    }
  }
  CheckExtendedRecords(congregation, folder, kTarget);
  return 0;
}

}  // namespace morvind::fuzz
