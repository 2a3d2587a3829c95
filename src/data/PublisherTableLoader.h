#pragma once

#include "data/DataFolder.h"
#include "data/GroupBlock.h"
#include "data/PublisherTable.h"

namespace morvind {

// Loads "tdat9.bin" into `table` (which must be allocated) and "bkstudy.dat"
// into `groups`, unscrambling their texts. A missing or empty table file
// gives a fresh header without password and no groups. The load stops at the
// table's capacity of 910 records. Afterwards Count() is at least 1.
void LoadPublisherTable(PublisherTable& table, GroupBlock& groups, const DataFolder& folder);

}  // namespace morvind
