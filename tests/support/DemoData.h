#pragma once

#include "app/Clock.h"
#include "support/DataWriter.h"

namespace morvind::test {

// The demo congregation: about 40 publishers with German names (umlauts
// included) in 3 groups and one without a group, elders, ministerial
// servants, regular, auxiliary and special pioneers, baptized and
// unbaptized, anointed and other sheep, men and women, an inactive
// publisher (with reports in the first half of the current service year),
// long names, remarks and quarter hours. Reports fill the previous service
// year and the current one up to the report month (the month before `today`).
DemoCongregation MakeDemoCongregation(const LocalDate& today);

// The largest data set the files can carry: 909 publishers (the table's
// capacity of 910 records with the header), 600 extended records (601 with
// the unused record 0) and 898 usable remarks, figures in every month.
DemoCongregation MakeFullCongregation(const LocalDate& today);

class TempFolder;

// The report date the benchmarks use.
inline constexpr LocalDate kBenchmarkDate{2024, 10, 1};

// The full congregation of kBenchmarkDate in a temporary folder, written
// once per process (which ends when it can't be written) and removed at exit.
const TempFolder& FullDataSetFolder();

}  // namespace morvind::test
