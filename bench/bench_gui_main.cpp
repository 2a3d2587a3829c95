// The main dialog's start on the largest data set (909 publishers, 601
// extended records, 898 remarks): from the start of its initialisation to
// the filled list, under the offscreen platform; and one card printed into
// a PDF file through the print job.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "app/qt/MainDialog.h"
#include "app/qt/PublisherListBox.h"
#include "printing/qt/PrintJob.h"
#include "printing/qt/ProgramPrinter.h"
#include "support/DemoData.h"
#include "support/TempFolder.h"
#include "toolkit/ModalHost.h"

namespace {

using namespace morvind;

const LocalDate kToday = test::kBenchmarkDate;

const test::TempFolder& FullDataSet() {
  return test::FullDataSetFolder();
}

// Ends the dialog as soon as its loop would start: the initialisation is
// what is measured.
class EndAtOnce : public ModalHost {
 public:
  int RunModal(Dialog& dialog) override {
    dialog.EndDialog(kIdCancel);
    return kIdCancel;
  }
};

struct Environment {
  EndAtOnce host;
  RecordingMessageSink messages;
  StringTable strings = StringTable::German();
  FixedClock clock{kToday};
  NoPrinter printer;
  AppEnvironment app;
  Environment() {
    app.ui = UiContext{&host, &messages, &strings};
    app.clock = &clock;
    app.dataFolder = FullDataSet().Folder();
    app.settingsFile = FullDataSet().Path() / "morvind.INI";
    app.printer = &printer;
  }
};

void BM_MainDialogStartToFilledList(benchmark::State& state) {
  Environment environment;
  int lines = 0;
  for (auto _ : state) {
    MainDialog dialog(environment.app);
    dialog.DoModal();
    lines = dialog.PublisherList()->Count();
    benchmark::DoNotOptimize(lines);
  }
  if (lines != 909) state.SkipWithError("the list is not full");
}
BENCHMARK(BM_MainDialogStartToFilledList)->Unit(benchmark::kMillisecond);

void BM_OneCardIntoPdf(benchmark::State& state) {
  Environment environment;
  MainDialog dialog(environment.app);
  dialog.DoModal();  // loads the data; the dialog stays as the holder of the state
  dialog.selectedPublisher = 1;
  dialog.cardName = "Name";
  CardRequest request = dialog.BuildCardRequest();
  request.completeCard = state.range(0) != 0;
  for (int i = 0; i < 12; ++i) request.months[i] = true;
  request.totals = true;
  test::TempFolder out("bench-pdf");
  PdfFilePrinter printer(QString::fromStdString((out.Path() / "card.pdf").string()));
  for (auto _ : state) {
    if (PrintCards(*printer.Current(), {request}).outcome != PrintOutcome::kPrinted)
      state.SkipWithError("no painter");
  }
}
BENCHMARK(BM_OneCardIntoPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
