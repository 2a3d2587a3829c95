#include "app/PublisherList.h"

#include <algorithm>
#include <utility>

#include "data/CaseFolding.h"
#include "data/GroupBlock.h"
#include "data/TextServices.h"
#include "resources/StringIds.h"

namespace morvind {
namespace {

bool IsPioneer(int status) {
  return status >= kStatusRegularPioneer;
}

// Far above the table's capacity, and clear of the list's -1 for none.
constexpr int kTotalsItemBase = 1 << 24;
static_assert(kTotalsItemBase > PublisherTable::kCapacity);

constexpr const char* kCongregationCaption = "Versammlung";

}  // namespace

std::vector<PublisherListLine> PublisherListLines(const PublisherTable& table,
                                                  const PublisherFilter& filter, int reportMonth,
                                                  int reportYearShort, bool firstNameSort,
                                                  bool& hasUnassigned) {
  std::vector<PublisherListLine> lines;
  for (int j = 1; j < table.Count(); ++j) {
    if (table.IsInactive(j)) continue;
    int status = ReportMonthStatus(table, j, reportMonth, reportYearShort);
    int group = table.Group(j);
    // Noted whatever the filter, so that the filter button offers the
    // "unassigned" step as soon as the list has been filled once.
    if (!IsPioneer(status) && group == 0) hasUnassigned = true;
    bool shown;
    if (filter.filter == 0) {
      shown = true;
    } else if (filter.filter == 1) {
      shown = IsPioneer(status);
    } else if (IsCongregationFilter(filter)) {
      shown = false;  // the loop only notes an unassigned publisher
    } else {
      // Regular pioneers report to the congregation, not to their group.
      shown = group == filter.filterGroup && !IsPioneer(status);
    }
    if (shown) lines.push_back({ListDisplayName(table, j, firstNameSort), j, std::nullopt});
  }
  if (IsCongregationFilter(filter)) {
    for (TotalsCategory category : kTotalsCategories)
      lines.push_back({std::string(TotalsRecordName(category)), 0, category});
  }
  return lines;
}

int EncodeListItem(const ListItem& item) {
  if (item.totals) return kTotalsItemBase + static_cast<int>(*item.totals);
  return item.recordIndex;
}

ListItem DecodeListItem(int data) {
  if (data >= kTotalsItemBase && data < kTotalsItemBase + kTotalsCategoryCount)
    return ListItem::Totals(static_cast<TotalsCategory>(data - kTotalsItemBase));
  return ListItem::Publisher(data > 0 && data < kTotalsItemBase ? data : 0);
}

std::string ListDisplayName(const PublisherTable& table, int j, bool firstNameSort) {
  return PublisherName(table, j, !firstNameSort);
}

int FilterGroupCount(int groupCount) {
  // A negative count would leave the button stuck on "all"; more than the
  // group file's 20 entries can't be meant.
  return std::clamp(groupCount, 0, GroupBlock::kMaxGroups);
}

PublisherFilter NextFilter(const PublisherFilter& current, int groupCount, bool hasUnassigned,
                           bool congregationStep) {
  if (IsCongregationFilter(current)) return PublisherFilter{};
  int groups = FilterGroupCount(groupCount);
  PublisherFilter next = current;
  next.filter = current.filter < (hasUnassigned ? 1 : 0) + groups + 1 ? current.filter + 1 : 0;
  if (next.filter > 1) next.filterGroup = next.filter > groups + 1 ? 0 : next.filter - 1;
  // The congregation's records come last, before "all" comes round again.
  if (next.filter == 0 && congregationStep) next = PublisherFilter{kCongregationFilter, 0};
  return next;
}

std::string FilterCaption(const PublisherFilter& filter, const StringTable& strings) {
  if (IsCongregationFilter(filter)) return kCongregationCaption;
  if (filter.filter == 0) return strings.Get(str::kFilterAll);
  if (filter.filter == 1) return strings.Get(str::kFilterPioneers);
  if (filter.filterGroup == 0) return strings.Get(str::kFilterUnassigned);
  return strings.Get(str::kGroup) + " " + std::to_string(filter.filter - 1);
}

void SortPublishersByName(PublisherTable& table, bool firstNameSort) {
  int count = table.Count();
  if (count < 3) return;
  // The trimmed names move with their records, so each is decoded once.
  std::vector<std::string> names(static_cast<std::size_t>(count));
  for (int j = 1; j < count; ++j) {
    names[static_cast<std::size_t>(j)] = Trimmed(ListDisplayName(table, j, firstNameSort));
  }
  auto greater = [&](int a, int b) {
    return CompareIgnoringCase(names[static_cast<std::size_t>(a)],
                               names[static_cast<std::size_t>(b)]) > 0;
  };
  for (int i = 2; i < count; ++i) {
    if (!greater(i - 1, i)) continue;
    // The pass runs all the way down to record 2; only strictly greater
    // names are swapped, so equal names keep their order.
    for (int b = i; b >= 2; --b) {
      if (greater(b - 1, b)) {
        table.SwapRecords(b - 1, b);
        std::swap(names[static_cast<std::size_t>(b - 1)], names[static_cast<std::size_t>(b)]);
      }
    }
  }
}

}  // namespace morvind
