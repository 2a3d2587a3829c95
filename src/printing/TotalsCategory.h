#pragma once

#include <array>
#include <string_view>

namespace morvind {

// The congregation's own S-21 records beside one per publisher: month by
// month the reports of the publishers, auxiliary pioneers, regular pioneers
// and special pioneers added up. A report counts on the record of the
// month's status (0 .. 3), so the values are the status values.
enum class TotalsCategory {
  kPublishers = 0,
  kAuxiliaryPioneers = 1,
  kRegularPioneers = 2,
  kSpecialPioneers = 3,
};

inline constexpr int kTotalsCategoryCount = 4;

// The four records in the order the list shows them.
inline constexpr std::array<TotalsCategory, kTotalsCategoryCount> kTotalsCategories = {
    TotalsCategory::kPublishers, TotalsCategory::kAuxiliaryPioneers,
    TotalsCategory::kRegularPioneers, TotalsCategory::kSpecialPioneers};

// The record's name, as the list, the page and the file names show it.
constexpr std::string_view TotalsRecordName(TotalsCategory category) {
  switch (category) {
    case TotalsCategory::kPublishers:
      return "Verkündiger (Summe)";
    case TotalsCategory::kAuxiliaryPioneers:
      return "Hilfspioniere (Summe)";
    case TotalsCategory::kRegularPioneers:
      return "Allgemeine Pioniere (Summe)";
    case TotalsCategory::kSpecialPioneers:
      return "Sonderpioniere (Summe)";
  }
  return "";
}

}  // namespace morvind
