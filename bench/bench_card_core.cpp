// Cost of drawing one card (header and monthly body) onto a recording
// surface at 600 units per inch, for a publisher with a full year of
// figures, quarters and remarks.

#include <benchmark/benchmark.h>

#include "printing/CardHeader.h"
#include "printing/MonthlyBody.h"
#include "printing/RecordingSurface.h"
#include "support/CardRequestBuilder.h"

namespace {

using namespace morvind;

// A year that leaves no cell blank, so every text of the card is made.
void FillYear(test::CardRequestBuilder& card) {
  const int p = card.Publisher();
  test::TestTable& data = card.Data();
  data.SetText(p, record::kAddress, "Hauptstr. 1, 10115 Berlin");
  data.SetText(p, record::kHomePhone, "0301234");
  data.SetText(p, record::kBirthDate, "05141980");
  data.SetText(p, record::kImmersedDate, "06201995");
  data.SetHope(p, 'A');
  data.SetRoleFlags(p, record::kMale | record::kRoleElder);
  for (int month = 0; month < 12; ++month) {
    for (int slot = 0; slot < 2; ++slot) {
      for (int k = 0; k < 5; ++k)
        data.SetFigure(p, month, k, slot, static_cast<std::uint16_t>(month + k + 1));
      data.SetQuarters(p, month, slot, month % 4);
      data.SetStatus(p, month, slot, month % 3 == 0 ? kStatusAuxiliaryPioneer : 0);
      card.AddRemark(month, slot, "Kongress");
    }
  }
  card.Today(2024, 9);
  card.AllMonths();
  card.Request().cardMobile = "0170555";
  card.Request().genderTicks = true;
  card.Request().totals = true;
}

void DrawCard(benchmark::State& state, bool complete) {
  test::CardRequestBuilder card;
  FillYear(card);
  card.Request().completeCard = complete;
  const CardRequest& request = card.Request();
  for (auto _ : state) {
    RecordingSurface surface;
    DrawCardHeader(surface, request);
    DrawMonthlyBody(surface, request);
    benchmark::DoNotOptimize(surface.Ops().data());
  }
}

void BM_DrawCardDataOnly(benchmark::State& state) {
  DrawCard(state, false);
}
void BM_DrawCardComplete(benchmark::State& state) {
  DrawCard(state, true);
}

BENCHMARK(BM_DrawCardDataOnly);
BENCHMARK(BM_DrawCardComplete);

}  // namespace

BENCHMARK_MAIN();
