#include "support/LoadedCongregation.h"

#include "app/Language.h"
#include "support/DemoData.h"
#include "support/TempFolder.h"

namespace morvind::bench {

LoadedFullCongregation::LoadedFullCongregation() {
  data.table.Allocate();
  bool failed = false;
  LoadCongregationData(data, test::FullDataSetFolder().Folder(), {}, failed);
}

CardRequest LoadedFullCongregation::BaseRequest(const PrintWishes& wishes) const {
  CardSetup setup;
  setup.strings = &strings;
  setup.languageCode = strings.LanguageCode();
  setup.fontCharset = FontCharsetFor(setup.languageCode);
  setup.period = ReportPeriodFor(test::kBenchmarkDate);
  setup.choices = ChoosePrintOptions(wishes, setup.period.reportMonth);
  return BaseCardRequest(data, setup);
}

}  // namespace morvind::bench
