#pragma once

#include <string>
#include <vector>

#include "data/PublisherTable.h"
#include "resources/StringTable.h"

namespace morvind {

// One line of the publisher list: the display name (UTF-8) and the record index.
struct PublisherListLine {
  std::string text;
  int recordIndex = 0;
};

// Which publishers the list shows: 0 all, 1 regular pioneers, k >= 2 the
// non-pioneers of group `filterGroup` (0 = unassigned).
struct PublisherFilter {
  int filter = 0;
  int filterGroup = 0;
};

// The lines of the list in table order. Sets `hasUnassigned` when an active
// non-pioneer without group is met (whatever the filter); never clears it.
std::vector<PublisherListLine> PublisherListLines(const PublisherTable& table,
                                                  const PublisherFilter& filter, int reportMonth,
                                                  int reportYearShort, bool firstNameSort,
                                                  bool& hasUnassigned);

// The list's display name of record j: "Last, First", or "First Last" with
// the first-name sort.
std::string ListDisplayName(const PublisherTable& table, int j, bool firstNameSort);

// The number of groups the filter cycles through: the group file's count,
// kept to 0..20 (a negative count means none; only 20 groups are kept).
int FilterGroupCount(int groupCount);

// The filter after a click on the filter button: 0 → 1 → group 1 … group G
// → [unassigned, only with hasUnassigned] → 0.
PublisherFilter NextFilter(const PublisherFilter& current, int groupCount, bool hasUnassigned);

// The caption of the filter button: "Alle Verkündiger", "Allg. u. SoPi's",
// "Gruppe 2", or "Unassigned".
std::string FilterCaption(const PublisherFilter& filter, const StringTable& strings);

// Insertion sort of records 1 .. count - 1 by their list display names,
// compared case-insensitively after trimming; whole records move, equal
// names keep their order.
void SortPublishersByName(PublisherTable& table, bool firstNameSort);

// Case-insensitive comparison of two UTF-8 texts (simple case folding of
// the Latin, Greek and Cyrillic letters): <0, 0, >0.
int CompareIgnoringCase(std::string_view a, std::string_view b);

// True when `text` begins with `prefix`, compared with the same case folding.
bool BeginsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace morvind
