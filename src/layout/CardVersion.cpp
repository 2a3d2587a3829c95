#include "layout/CardVersion.h"

#include "resources/StringIds.h"

namespace morvind {

int CardVersionCount(const StringTable& strings) {
  return strings.GetInt(str::kCardVersionCount);
}

std::string CardVersionName(const StringTable& strings, CardVersion version) {
  return strings.Get(str::kCardVersionNameBase + version);
}

std::string LayoutFileName(CardVersion version) {
  if (version == 0) return "cplot.dat";
  return "cplot" + std::to_string(version) + ".dat";
}

CardVersion ValidCardVersion(const StringTable& strings, int version) {
  return (version >= 0 && version < CardVersionCount(strings)) ? version : 0;
}

}  // namespace morvind
