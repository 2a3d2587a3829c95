// The congregation's four totals records worked out for the largest data
// set (909 publishers with reports in every month): the content of the four
// pages, as the list, the panes and every print make them, each adding up
// the whole table month by month. The program's own work, to stay within
// 5 ms for the four.

#include <benchmark/benchmark.h>

#include "app/CardPlan.h"
#include "app/Language.h"
#include "data/CongregationData.h"
#include "printing/SheetContent.h"
#include "support/DemoData.h"
#include "support/LoadedCongregation.h"
#include "support/TempFolder.h"

namespace {

using namespace morvind;

void FourRecords(benchmark::State& state, bool previousYear) {
  const bench::LoadedFullCongregation congregation;
  PrintWishes wishes;
  wishes.form = RecordForm::kSheet1123;
  wishes.previousYear = previousYear;
  const CardRequest base = congregation.BaseRequest(wishes);
  std::vector<CardRequest> records;
  for (TotalsCategory category : kTotalsCategories)
    records.push_back(PlanTotalsRequest(category, base));
  int reports = 0;
  for (auto _ : state) {
    for (const CardRequest& record : records) {
      const SheetContent content = MakeSheetContent(record);
      reports += static_cast<int>(content.rows[0].remark.size());
      benchmark::DoNotOptimize(content);
    }
  }
  if (reports == 0) state.SkipWithError("no reports counted");
}

// October 2024: two months of the current service year carry data.
void BM_FourTotalsRecords_CurrentYear(benchmark::State& state) {
  FourRecords(state, false);
}
// All twelve months of the previous one: the most a page adds up.
void BM_FourTotalsRecords_PreviousYear(benchmark::State& state) {
  FourRecords(state, true);
}
BENCHMARK(BM_FourTotalsRecords_CurrentYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourTotalsRecords_PreviousYear)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
