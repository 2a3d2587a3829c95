#pragma once

#include <string>

#include "resources/StringTable.h"

namespace morvind {

// The index of the card form a layout fits: 0 "S-21-X  10/15",
// 1 "S-21-X  Ostrel 9a", 2 "S-21-X  Ostrel 9".
using CardVersion = int;

// The number of card versions offered: the value of string 146 ("3").
int CardVersionCount(const StringTable& strings);
// The display name of a version: string 400 + version.
std::string CardVersionName(const StringTable& strings, CardVersion version);
// "cplot.dat" for version 0, "cplot<v>.dat" for every other version.
std::string LayoutFileName(CardVersion version);
// `version` when it is 0 .. count - 1, else 0.
CardVersion ValidCardVersion(const StringTable& strings, int version);

}  // namespace morvind
