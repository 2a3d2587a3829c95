#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Clock.h"
#include "app/PrintChoices.h"
#include "app/PublisherList.h"
#include "app/Settings.h"
#include "data/CongregationData.h"
#include "data/DataFolder.h"
#include "data/ExtendedInfo.h"
#include "layout/LayoutRecord.h"
#include "preview/CardTexts.h"
#include "printing/CardRequest.h"
#include "resources/StringTable.h"

namespace morvind {

// The filter that shows the non-pioneers of group `group` (1 .. groups), as
// the filter button reaches it.
PublisherFilter GroupFilter(int group);
// The filter step "unassigned" after the last of `groupCount` groups.
PublisherFilter UnassignedFilter(int groupCount);
// The filter step "Versammlung": the congregation's four totals records.
PublisherFilter CongregationFilter();

// Which cards a print covers.
struct CardSelection {
  enum class Kind { kPublisher, kName, kAll };
  Kind kind = Kind::kAll;
  int publisher = 0;       // kPublisher: a record index
  std::string namePrefix;  // kName: UTF-8
};

// The lines to print, in list order: the listed publisher with that
// record index, the first listed line whose text begins with the prefix
// (case ignored; a totals record by its name), or every listed line. A
// publisher whose name (in the order `lastNameFirst`) is blank after
// trimming gets no card, as the print command does nothing for them; a
// totals record always gets its page. Empty when nothing matches.
std::vector<ListItem> SelectCards(const PublisherTable& table,
                                  const std::vector<PublisherListLine>& lines,
                                  const CardSelection& selection, bool lastNameFirst);

// The answer to the data access password when it is given as a text.
enum class PasswordAnswer {
  kNotNeeded,  // the data carry no password (it is " ")
  kGranted,    // the given text equals the stored password
  kMissing,    // a password is needed and none was given
  kWrong,      // the given text is not the password
};
// Compares the given UTF-8 text with the stored password byte for byte in
// the data's code page (a character the code page lacks can't match).
PasswordAnswer CheckGivenPassword(const PublisherTable& table,
                                  const std::optional<std::string>& given);

// The name and mobile telephone a card prints, chosen as the header preview
// chooses them: looks up the extended record of `publisher` (into `info`,
// cleared when there is no valid record) and decides with ChooseCardTexts.
CardTexts CardTextsFor(CongregationData& data, int publisher, bool useLongName, bool lastNameFirst,
                       bool completeCard, const DataFolder& folder, ExtendedInfo& info);

// The texts of a totals record: its name, no mobile telephone, and the
// boxes as for a publisher without a long name or a gender.
CardTexts TotalsCardTexts(TotalsCategory category);

// What every card of one print shares.
struct CardSetup {
  const StringTable* strings = nullptr;  // never null
  std::string languageCode = "german";
  int fontCharset = 0;
  Settings settings;  // date format, name order and margins; its card version is unused
  ReportPeriod period;
  LayoutRecord layout;  // of choices.cardVersion
  PrintChoices choices;
};

// What every card of a print of `setup` shares: its fields and choices,
// no publisher yet. The request points into `data`, which must outlive it
// and not move.
CardRequest BaseCardRequest(const CongregationData& data, const CardSetup& setup);

// The request of the card of `publisher`, as the print command builds it:
// `base` (what every card of the print shares: the window's state, or
// BaseCardRequest) with the publisher and the texts CardTextsFor chooses
// for it by the base's options (a complete card also ticks the male/female
// box, as its preview does).
CardRequest PlanCardRequest(CongregationData& data, int publisher, const CardRequest& base,
                            const DataFolder& folder);

// The request of a totals record's page: `base` with that record instead
// of a publisher (publisher 0) and its texts.
CardRequest PlanTotalsRequest(TotalsCategory category, const CardRequest& base);

// The cards of `selection` among the list's `lines` (SelectCards, with the
// base's name order), in list order, each planned by PlanCardRequest or
// PlanTotalsRequest: how the window's list commands and morvind-print plan
// their cards alike.
std::vector<CardRequest> PlanCards(CongregationData& data,
                                   const std::vector<PublisherListLine>& lines,
                                   const CardSelection& selection, const CardRequest& base,
                                   const DataFolder& folder);

}  // namespace morvind
