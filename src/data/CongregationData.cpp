#include "data/CongregationData.h"

#include "data/PublisherTableLoader.h"

namespace morvind {

void LoadCongregationData(CongregationData& data, const DataFolder& folder,
                          const PasswordCheck& checkPassword, bool& passwordFailed) {
  LoadPublisherTable(data.table, data.groups, folder);
  // A password refused once stays refused: the check is not asked again.
  // Without a check (tools that print unattended) access is granted.
  if (!passwordFailed && checkPassword && !checkPassword(data.table)) passwordFailed = true;
  data.extendedCount = CountExtendedRecords(folder);
  LoadRemarks(data.table, data.remarks, folder);
}

}  // namespace morvind
