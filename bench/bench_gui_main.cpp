// The main dialog's start on the largest data set (909 publishers, 601
// extended records, 898 remarks): from the start of its initialisation to
// the filled list, under the offscreen platform; a change of the list's
// selection with both panes painted at the window's first size on a
// 1920 x 1080 screen (on the sheet S-21 11/23 a publisher and a totals
// record that adds up the whole table, and the official form), to stay
// within 50 ms; and one card printed into a PDF file through the print job.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <cstdio>
#include <fstream>
#include <memory>

#include "app/PublisherList.h"
#include "app/qt/MainDialog.h"
#include "app/qt/PublisherListBox.h"
#include "preview/qt/PreviewPane.h"
#include "printing/qt/PrintJob.h"
#include "printing/qt/ProgramPrinter.h"
#include "support/DemoData.h"
#include "support/FillableFormWriter.h"
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

// Arg 0: between the first two publishers; 1: between the first two
// totals records ("Versammlung"); 2: between two publishers on the official
// form (the test form, whose fonts need no substitute), filled and
// rendered into both panes; 3: the same on the form as the real one is,
// whose name, hours and remarks font lacks "ü" (the working copy draws
// them in its own subset font). With "Vorheriges Dienstjahr", so that all
// twelve rows carry data: the most a totals page adds up.
void BM_SelectionChangeWithBothPanes(benchmark::State& state) {
  Environment environment;
  MainDialog dialog(environment.app);
  dialog.DoModal();  // loads the data; the dialog stays as the holder of the state
  dialog.form = RecordForm::kSheet1123;
  test::TempFolder forms("bench-pane-form");
  if (state.range(0) >= 2) {
    test::FillableFormOptions options = test::OfficialLikeFormOptions();
    if (state.range(0) == 2) {
      options = test::FillableFormOptions();
      options.substituteFonts = false;
    }
    std::ofstream(forms.File("form.pdf"), std::ios::binary) << test::FillableFormPdf(options);
    dialog.form = RecordForm::kOfficialForm;
    dialog.formFile = forms.File("form.pdf").string();
  }
  dialog.SetCheck(MainDialog::kPreviousYearBox, true);
  // The size the window first opens at on a 1920 x 1080 screen.
  dialog.show();
  dialog.resize(1432, 756);
  QCoreApplication::processEvents();
  if (state.range(0) == 1) dialog.publisherFilter = kCongregationFilter;
  dialog.FillPublisherList();
  PreviewPane* panes[] = {dialog.HeaderPane(), dialog.BodyPane()};
  QImage header(panes[0]->size(), QImage::Format_RGB32),
      body(panes[1]->size(), QImage::Format_RGB32);
  int line = 0;
  for (auto _ : state) {
    line = 1 - line;
    dialog.PublisherList()->SetCurSel(line);
    dialog.RefreshSelection();
    panes[0]->render(&header);
    panes[1]->render(&body);
  }
  if (panes[0]->PaintCount() == 0 || (state.range(0) == 1 && !dialog.selectedTotals))
    state.SkipWithError("nothing was painted");
}
BENCHMARK(BM_SelectionChangeWithBothPanes)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond);

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
