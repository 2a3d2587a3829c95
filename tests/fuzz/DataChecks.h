#pragma once

#include <string_view>

#include "data/CongregationData.h"
#include "data/PublisherTable.h"
#include "data/RemarkTable.h"
#include "resources/StringTable.h"

namespace morvind::fuzz {

// Checks every text and figure the card shows of every loaded publisher:
// the record count within the table's capacity; the display names in both
// orders; both card dates in all four formats for each language code in
// `dateLanguages`; the hope mark; the quarter texts; every other text field.
// Texts must be valid UTF-8. The stored password must be the one that, typed
// in, is accepted.
void CheckPublisherTexts(const PublisherTable& table, const StringTable& strings,
                         std::initializer_list<std::string_view> dateLanguages,
                         std::string_view target);

// Checks the remark links of every publisher: each points at a loaded
// remark or at none, and the text it gives is valid UTF-8 without white
// space around it.
void CheckRemarks(const PublisherTable& table, const RemarkTable& remarks, std::string_view target);

// Looks up every publisher's extended record as the card does (CardTextsFor)
// and checks what comes back: the printed name and mobile telephone are
// valid UTF-8, a record found belongs to the publisher, a long name with a
// letter is reported as one, and a failed link is cleared so that it is
// tried only once.
void CheckExtendedRecords(CongregationData& data, const DataFolder& folder,
                          std::string_view target);

}  // namespace morvind::fuzz
