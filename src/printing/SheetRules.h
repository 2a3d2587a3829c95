#pragma once

#include <vector>

#include "data/PublisherTable.h"
#include "printing/CardRequest.h"

namespace morvind {

// The rules by which the sheet S-21 11/23 reads a month of the publisher
// table, shared by a publisher's page and the congregation's totals.

// Whether the publisher shared in the ministry in the month: any figure of
// it above zero, or a part hour alone.
bool SharedInMinistry(const PublisherTable& table, int publisher, int month, int slot);

// Whether a month of this status (0 .. 3) carries hours on the sheet: the
// auxiliary, regular and special pioneers' months.
constexpr bool IsPioneerMonth(int status) {
  return status == kStatusAuxiliaryPioneer || status == kStatusRegularPioneer ||
         status == kStatusSpecialPioneer;
}

// The rows (0 = September) of the request's page that carry data: in the
// current service year those up to and including the report month, with
// "Vorheriges Dienstjahr" all twelve of the year before.
int SheetRowsWithData(const CardRequest& request);

// The year slot of row `row` of the request's page.
int SheetRowSlot(const CardRequest& request, int row);

// A publisher's two service years, as one file hands them on when he
// moves: for each request the page of the previous service year (all
// twelve months), then that of the current one (up to the report month),
// whatever "Vorheriges Dienstjahr" says.
std::vector<CardRequest> BothServiceYears(const std::vector<CardRequest>& requests);

}  // namespace morvind
