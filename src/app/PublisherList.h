#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/CaseFolding.h"
#include "data/PublisherTable.h"
#include "printing/TotalsCategory.h"
#include "resources/StringTable.h"

namespace morvind {

// What a line of the list stands for: a publisher's record, or one of the
// congregation's totals records (never a record of the table).
struct ListItem {
  int recordIndex = 0;  // the publisher's record index; 0 for none and for a totals record
  std::optional<TotalsCategory> totals;
  static ListItem Publisher(int recordIndex) { return ListItem{recordIndex, std::nullopt}; }
  static ListItem Totals(TotalsCategory category) { return ListItem{0, category}; }
  bool IsNone() const { return recordIndex <= 0 && !totals; }
  bool operator==(const ListItem&) const = default;
};

// One line of the publisher list: the display name (UTF-8) and what it
// stands for.
struct PublisherListLine {
  std::string text;
  int recordIndex = 0;
  std::optional<TotalsCategory> totals;  // a totals record's line: recordIndex is 0
  ListItem Item() const { return ListItem{recordIndex, totals}; }
};

// The list box keeps one integer per line: the record index of a
// publisher's line, and for a totals record a value far above any record
// index the table can hold, so that it is never taken for a record, nor
// for "none" (0, or the list's -1).
int EncodeListItem(const ListItem& item);
// The item of a line's integer; none for 0, for negative values and for
// values that stand for nothing.
ListItem DecodeListItem(int data);

// Which publishers the list shows: 0 all, 1 regular pioneers, k >= 2 the
// non-pioneers of group `filterGroup` (0 = unassigned), or
// kCongregationFilter: the congregation's four totals records.
struct PublisherFilter {
  int filter = 0;
  int filterGroup = 0;
};

// The filter step "Versammlung": negative, so that no group step (2 and
// above) can ever be it.
inline constexpr int kCongregationFilter = -1;
constexpr bool IsCongregationFilter(const PublisherFilter& filter) {
  return filter.filter == kCongregationFilter;
}

// The lines of the list in table order; for the congregation filter the
// four totals records in their order. Sets `hasUnassigned` when an active
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
// → [unassigned, only with hasUnassigned] → [congregation, only with
// `congregationStep`: while the sheet S-21 11/23 is the form] → 0.
PublisherFilter NextFilter(const PublisherFilter& current, int groupCount, bool hasUnassigned,
                           bool congregationStep = false);

// The caption of the filter button: "Alle Verkündiger", "Allg. u. SoPi's",
// "Gruppe 2", "Unassigned", or "Versammlung".
std::string FilterCaption(const PublisherFilter& filter, const StringTable& strings);

// Insertion sort of records 1 .. count - 1 by their list display names,
// compared case-insensitively after trimming; whole records move, equal
// names keep their order.
void SortPublishersByName(PublisherTable& table, bool firstNameSort);

}  // namespace morvind
