#pragma once

#include "app/CardPlan.h"
#include "data/CongregationData.h"
#include "printing/CardRequest.h"
#include "resources/StringTable.h"

namespace morvind::bench {

// The full congregation of test::FullDataSetFolder loaded as the window
// loads it, and what every card of a print shares there: the base request
// of `wishes` (BaseCardRequest), which points into this object.
struct LoadedFullCongregation {
  LoadedFullCongregation();
  LoadedFullCongregation(const LoadedFullCongregation&) = delete;
  LoadedFullCongregation& operator=(const LoadedFullCongregation&) = delete;
  CardRequest BaseRequest(const PrintWishes& wishes) const;

  StringTable strings = StringTable::German();
  CongregationData data;
};

}  // namespace morvind::bench
