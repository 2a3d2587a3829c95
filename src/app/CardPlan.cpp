#include "app/CardPlan.h"

#include "data/CodePage.h"
#include "data/TextServices.h"

namespace morvind {

PublisherFilter GroupFilter(int group) {
  return PublisherFilter{group + 1, group};
}

PublisherFilter UnassignedFilter(int groupCount) {
  // The step after group G is G + 2 with filterGroup 0.
  return PublisherFilter{FilterGroupCount(groupCount) + 2, 0};
}

PublisherFilter CongregationFilter() {
  return PublisherFilter{kCongregationFilter, 0};
}

std::vector<ListItem> SelectCards(const PublisherTable& table,
                                  const std::vector<PublisherListLine>& lines,
                                  const CardSelection& selection, bool lastNameFirst) {
  // The print command stops without a word for a publisher whose formatted
  // name is blank; such a line never gets a page.
  auto printable = [&](const PublisherListLine& line) {
    return line.totals || !Trimmed(PublisherName(table, line.recordIndex, lastNameFirst)).empty();
  };
  std::vector<ListItem> cards;
  switch (selection.kind) {
    case CardSelection::Kind::kPublisher:
      for (const PublisherListLine& line : lines) {
        // A record index never names a totals record.
        if (!line.totals && line.recordIndex == selection.publisher) {
          if (printable(line)) cards.push_back(line.Item());
          break;
        }
      }
      break;
    case CardSelection::Kind::kName:
      // The first line that begins with the text, as the list's search
      // selects it.
      for (const PublisherListLine& line : lines) {
        if (BeginsWithIgnoringCase(line.text, selection.namePrefix)) {
          if (printable(line)) cards.push_back(line.Item());
          break;
        }
      }
      break;
    case CardSelection::Kind::kAll:
      for (const PublisherListLine& line : lines) {
        if (printable(line)) cards.push_back(line.Item());
      }
      break;
  }
  return cards;
}

PasswordAnswer CheckGivenPassword(const PublisherTable& table,
                                  const std::optional<std::string>& given) {
  std::string_view stored = table.RawText(0, record::kFirstName);
  if (stored == " ") return PasswordAnswer::kNotNeeded;
  if (!given) return PasswordAnswer::kMissing;
  std::optional<std::string> encoded = EncodeFromUtf8(*given, table.GetCodePage());
  return encoded && *encoded == stored ? PasswordAnswer::kGranted : PasswordAnswer::kWrong;
}

CardTexts CardTextsFor(CongregationData& data, int publisher, bool useLongName, bool lastNameFirst,
                       bool completeCard, const DataFolder& folder, ExtendedInfo& info) {
  CardTextsInput input;
  input.table = &data.table;
  input.publisher = publisher;
  int found = 0;
  if (publisher > 0 && data.table.IsValidIndex(publisher)) {
    found = ReadExtendedInfo(data.table, publisher, data.extendedCount, info, folder);
  } else {
    info.Clear();
  }
  input.hasExtendedRecord = found != 0;
  input.longName = found ? info.LongName(data.table.GetCodePage()) : std::string();
  input.useLongName = useLongName;
  input.lastNameFirst = lastNameFirst;
  input.completeCard = completeCard;
  return ChooseCardTexts(input);
}

CardTexts TotalsCardTexts(TotalsCategory category) {
  CardTexts texts;
  texts.cardName = std::string(TotalsRecordName(category));
  return texts;
}

CardRequest BaseCardRequest(const CongregationData& data, const CardSetup& setup) {
  CardRequest request;
  request.table = &data.table;
  request.remarks = &data.remarks;
  request.strings = setup.strings;
  request.form = setup.settings.form;
  request.layout = setup.layout;
  request.topMargin = setup.settings.topMargin;
  request.leftMargin = setup.settings.leftMargin;
  request.languageCode = setup.languageCode;
  request.fontCharset = setup.fontCharset;
  request.dateFormat = setup.settings.dateFormat;
  request.reportMonth = setup.period.reportMonth;
  request.reportYearShort = setup.period.reportYearShort;
  request.currentYear = setup.period.currentYear;
  request.lastNameFirst = setup.settings.lastNameFirst != 0;
  ApplyPrintChoices(setup.choices, request);
  return request;
}

CardRequest PlanCardRequest(CongregationData& data, int publisher, const CardRequest& base,
                            const DataFolder& folder) {
  ExtendedInfo info;
  const CardTexts texts = CardTextsFor(data, publisher, base.useLongName, base.lastNameFirst,
                                       base.completeCard, folder, info);
  CardRequest request = base;
  request.publisher = publisher;
  request.totalsRecord.reset();  // a publisher's page, whatever the base was made for
  request.cardName = texts.cardName;
  request.cardMobile = texts.cardMobile;
  // The header pane ticks "m/w" while the complete card is on.
  if (texts.checkGenderBox) request.genderTicks = true;
  return request;
}

CardRequest PlanTotalsRequest(TotalsCategory category, const CardRequest& base) {
  const CardTexts texts = TotalsCardTexts(category);
  CardRequest request = base;
  request.publisher = 0;
  request.totalsRecord = category;
  request.cardName = texts.cardName;
  request.cardMobile = texts.cardMobile;
  return request;
}

std::vector<CardRequest> PlanCards(CongregationData& data,
                                   const std::vector<PublisherListLine>& lines,
                                   const CardSelection& selection, const CardRequest& base,
                                   const DataFolder& folder) {
  std::vector<CardRequest> cards;
  for (const ListItem& item : SelectCards(data.table, lines, selection, base.lastNameFirst)) {
    cards.push_back(item.totals ? PlanTotalsRequest(*item.totals, base)
                                : PlanCardRequest(data, item.recordIndex, base, folder));
  }
  return cards;
}

}  // namespace morvind
