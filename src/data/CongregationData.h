#pragma once

#include <functional>

#include "data/DataFolder.h"
#include "data/ExtendedInfo.h"
#include "data/GroupBlock.h"
#include "data/PublisherTable.h"
#include "data/RemarkTable.h"

namespace morvind {

// Everything the card printer reads from the companion program's files,
// owned by the main dialog for the whole run.
struct CongregationData {
  PublisherTable table;
  GroupBlock groups;
  RemarkTable remarks;
  int extendedCount = 0;
};

// Asked right after the table is loaded; true grants access to the data.
using PasswordCheck = std::function<bool(const PublisherTable& table)>;

// Loads the data in the fixed order: the publisher table and the group
// file; the password check (only when `passwordFailed` is still false, and
// a refusal sets it); then the extended-record count and the remarks. The
// table must be allocated. The later steps run whatever the answer; the
// caller ends the run when `passwordFailed` is set. An empty check grants
// access (tools that read the data unattended).
void LoadCongregationData(CongregationData& data, const DataFolder& folder,
                          const PasswordCheck& checkPassword, bool& passwordFailed);

}  // namespace morvind
