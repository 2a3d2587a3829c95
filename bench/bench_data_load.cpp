// Start-up cost of the congregation data on the largest data set the files
// can carry (909 publishers, 601 extended records, 898 remarks).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "data/CongregationData.h"
#include "data/ExtendedInfo.h"
#include "data/PublisherTableLoader.h"
#include "data/RemarkTable.h"
#include "support/DataWriter.h"
#include "support/DemoData.h"
#include "support/TempFolder.h"

namespace {

using namespace morvind;

const test::TempFolder& FullDataSet() {
  return test::FullDataSetFolder();
}

void BM_LoadPublisherTable(benchmark::State& state) {
  const DataFolder folder = FullDataSet().Folder();
  PublisherTable table;
  table.Allocate();
  GroupBlock groups;
  for (auto _ : state) {
    LoadPublisherTable(table, groups, folder);
    benchmark::DoNotOptimize(table.Count());
  }
  if (table.Count() != PublisherTable::kCapacity) state.SkipWithError("wrong record count");
  state.SetItemsProcessed(state.iterations() * table.Count());
}
BENCHMARK(BM_LoadPublisherTable)->Unit(benchmark::kMicrosecond);

void BM_CountExtendedAndLoadRemarks(benchmark::State& state) {
  const DataFolder folder = FullDataSet().Folder();
  PublisherTable table;
  table.Allocate();
  GroupBlock groups;
  LoadPublisherTable(table, groups, folder);
  RemarkTable remarks;
  int extendedCount = 0;
  for (auto _ : state) {
    extendedCount = CountExtendedRecords(folder);
    LoadRemarks(table, remarks, folder);
    benchmark::DoNotOptimize(remarks.RemarkCount());
  }
  if (extendedCount != ExtendedInfo::kMaxRecords || remarks.RemarkCount() != 899)
    state.SkipWithError("wrong counts");
}
BENCHMARK(BM_CountExtendedAndLoadRemarks)->Unit(benchmark::kMicrosecond);

void BM_ReadExtendedInfo(benchmark::State& state) {
  const DataFolder folder = FullDataSet().Folder();
  PublisherTable table;
  table.Allocate();
  GroupBlock groups;
  LoadPublisherTable(table, groups, folder);
  const int extendedCount = CountExtendedRecords(folder);
  ExtendedInfo info;
  int publisher = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadExtendedInfo(table, publisher, extendedCount, info, folder));
    publisher = publisher % 600 + 1;  // publishers 1..600 have a record
  }
  if (info.OwnerId() == 0) state.SkipWithError("no record found");
}
BENCHMARK(BM_ReadExtendedInfo)->Unit(benchmark::kMicrosecond);

void BM_LoadCongregationData(benchmark::State& state) {
  const DataFolder folder = FullDataSet().Folder();
  CongregationData data;
  data.table.Allocate();
  for (auto _ : state) {
    bool failed = false;
    LoadCongregationData(data, folder, nullptr, failed);
    benchmark::DoNotOptimize(data.remarks.RemarkCount());
  }
}
BENCHMARK(BM_LoadCongregationData)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
