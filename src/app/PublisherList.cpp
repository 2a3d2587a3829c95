#include "app/PublisherList.h"

#include <algorithm>
#include <utility>

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

// Decodes one code point; a byte that does not start a valid sequence
// stands for itself above the Unicode range, so that two different invalid
// texts never compare equal.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  std::size_t length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
  if (length == 1) {
    ++i;
    return lead;
  }
  if (length == 0 || i + length > text.size()) {
    ++i;
    return 0x110000u + lead;
  }
  char32_t cp = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return 0x110000u + lead;
    }
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  i += length;
  return cp;
}

// Simple case folding (to the small letter) of the scripts the congregation
// data can hold: Latin-1, Latin Extended-A, Greek and Cyrillic.
char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
  if (c < 0x100) {
    if (c == 0xB5) return 0x3BC;  // micro sign -> mu
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    return c;
  }
  if (c < 0x180) {
    if (c == 0x178) return 0xFF;  // Y with diaeresis
    if (c == 0x17F) return 's';   // long s
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
      return c | 1;  // capital on the even point
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
      return (c & 1) ? c + 1 : c;  // capital on the odd point
    }
    return c;
  }
  if (c >= 0x370 && c < 0x400) {
    // The Greek letters whose small form is not a fixed distance away.
    static constexpr std::pair<char32_t, char32_t> kGreek[] = {
        {0x370, 0x371}, {0x372, 0x373}, {0x376, 0x377}, {0x37F, 0x3F3}, {0x386, 0x3AC},
        {0x388, 0x3AD}, {0x389, 0x3AE}, {0x38A, 0x3AF}, {0x38C, 0x3CC}, {0x38E, 0x3CD},
        {0x38F, 0x3CE}, {0x3C2, 0x3C3}, {0x3CF, 0x3D7}, {0x3D0, 0x3B2}, {0x3D1, 0x3B8},
        {0x3D5, 0x3C6}, {0x3D6, 0x3C0}, {0x3F0, 0x3BA}, {0x3F1, 0x3C1}, {0x3F4, 0x3B8},
        {0x3F5, 0x3B5}, {0x3F7, 0x3F8}, {0x3F9, 0x3F2}, {0x3FA, 0x3FB}, {0x3FD, 0x37B},
        {0x3FE, 0x37C}, {0x3FF, 0x37D}};
    for (const auto& [from, to] : kGreek) {
      if (c == from) return to;
    }
    if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB)) return c + 0x20;
    if (c >= 0x3D8 && c <= 0x3EF) return c | 1;
    return c;
  }
  if (c >= 0x400 && c < 0x530) {
    if (c <= 0x40F) return c + 0x50;
    if (c <= 0x42F) return c + 0x20;
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) {
      return c | 1;
    }
    if (c == 0x4C0) return 0x4CF;
    if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c + 1 : c;
    return c;
  }
  return c;
}

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

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0, k = 0;
  while (i < a.size() && k < b.size()) {
    char32_t x = FoldCase(NextCodePoint(a, i));
    char32_t y = FoldCase(NextCodePoint(b, k));
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (k < b.size()) return -1;
  return 0;
}

bool BeginsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  std::size_t i = 0, k = 0;
  while (k < prefix.size()) {
    if (i >= text.size()) return false;
    if (FoldCase(NextCodePoint(text, i)) != FoldCase(NextCodePoint(prefix, k))) return false;
  }
  return true;
}

}  // namespace morvind
