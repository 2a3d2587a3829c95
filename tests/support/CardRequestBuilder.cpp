#include "support/CardRequestBuilder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "data/CodePage.h"
#include "data/TextServices.h"
#include "layout/LayoutFile.h"

namespace morvind::test {

CardRequestBuilder::CardRequestBuilder() : strings_(StringTable::German()) {
  publisher_ = data_.AddPublisher("Anna", "Meier");
  request_.publisher = publisher_;
  request_.cardName = PublisherName(data_.Table(), publisher_, false);
  request_.languageCode = strings_.LanguageCode();
  request_.topMargin = "0.00";
  request_.leftMargin = "0.20";
  request_.printHeader = true;
  DefaultLayout(0);
  Today(2024, 3);
}

CardRequest& CardRequestBuilder::Request() {
  request_.table = &data_.Table();
  request_.remarks = &remarks_;
  request_.strings = &strings_;
  return request_;
}

CardRequestBuilder& CardRequestBuilder::Today(int year, int month) {
  const bool january = month == 1;
  request_.reportMonth = january ? 11 : month - 2;
  request_.reportYearShort = (((year - 2000 - (january ? 1 : 0)) % 256) + 256) % 256;
  request_.currentYear = year;
  return *this;
}

CardRequestBuilder& CardRequestBuilder::DefaultLayout(CardVersion version) {
  FillDefaultLayout(request_.layout, version, strings_);
  request_.cardVersion = version;
  return *this;
}

CardRequestBuilder& CardRequestBuilder::AllMonths(bool ticked) {
  request_.months.fill(ticked);
  return *this;
}

int CardRequestBuilder::AddRemark(int month, int slot, std::string_view text, int publisher) {
  if (publisher == 0) publisher = publisher_;
  std::uint8_t record[RemarkTable::kRecordSize] = {};
  auto encoded = EncodeFromUtf8(text, data_.Table().GetCodePage());
  std::string bytes = encoded ? *encoded : std::string(text);
  std::memcpy(record, bytes.data(), std::min(bytes.size(), RemarkTable::kTextSize - 1));
  record[44] = static_cast<std::uint8_t>(month + 1);
  record[45] = static_cast<std::uint8_t>(slot);
  const std::uint16_t owner = data_.Table().PublisherId(publisher);
  record[46] = static_cast<std::uint8_t>(owner & 0xFF);
  record[47] = static_cast<std::uint8_t>(owner >> 8);
  const int entry = remarks_.RemarkCount();
  if (!remarks_.Append(record)) return 0;
  data_.Table().SetRemarkIndex(publisher, month, slot, static_cast<std::uint16_t>(entry));
  return entry;
}

}  // namespace morvind::test
