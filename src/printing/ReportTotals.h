#pragma once

#include <string>

#include "data/PublisherTable.h"
#include "resources/StringTable.h"

namespace morvind {

// The sum of `column` over the last `count` months ending with the report
// month; hour quarters carry into whole hours and a remaining quarter count
// follows as its sign ("37½", "0¼"). The text goes to `out`; returns the sum.
int TotalToDate(const PublisherTable& table, int publisher, int column, int count, int reportMonth,
                int reportYearShort, const StringTable& strings, std::string& out);

// The same over September to August of the service year before the current one.
int PreviousYearTotal(const PublisherTable& table, int publisher, int column, int reportMonth,
                      int reportYearShort, const StringTable& strings, std::string& out);

}  // namespace morvind
