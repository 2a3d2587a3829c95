// The window's print commands on the largest data set (909 publishers):
// the preview of one card, of one sheet S-21 11/23 and of the whole list
// (time and memory to open), and "Liste als PDF speichern…" against
// `morvind-print --all --pdf` on the same data in the same run, with the
// longest gap between two progress steps (how long "Abbrechen" may wait
// at most).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProgressDialog>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/qt/MainDialog.h"
#include "app/qt/PrintCommands.h"
#include "app/qt/PrintDialogs.h"
#include "support/DemoData.h"
#include "support/FillableFormWriter.h"
#include "support/TempFolder.h"
#include "toolkit/ModalHost.h"

extern char** environ;

namespace {

using namespace morvind;
using Clock = std::chrono::steady_clock;

const test::TempFolder& FullDataSet() {
  return test::FullDataSetFolder();
}

// Resident memory of this process in MB.
double ResidentMb() {
  long pages = 0, resident = 0;
  std::ifstream statm("/proc/self/statm");
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// Ends the dialog as soon as its loop would start; the dialog then holds the
// loaded data for the commands.
class EndAtOnce : public ModalHost {
 public:
  int RunModal(Dialog& dialog) override {
    dialog.EndDialog(kIdCancel);
    return kIdCancel;
  }
};

// The dialogs answered at once: the file dialog with `target`, the preview
// shown (its pages drawn) and, with `wholeList`, switched to the list; the
// progress steps timed.
class BenchDialogs : public PrintDialogs {
 public:
  QString AskSaveFile(QWidget*, const QString&, const QString&) override { return target; }
  QString AskOpenFile(QWidget*, const QString&, const QString&) override { return target; }
  QString AskFolder(QWidget*, const QString&, const QString&) override { return target; }
  void RunPreview(QPrintPreviewDialog& preview) override {
    preview.show();
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    if (wholeList) {
      const double before = ResidentMb();
      const Clock::time_point start = Clock::now();
      auto* choice = preview.findChild<QComboBox*>(QStringLiteral("previewChoice"));
      choice->setCurrentIndex(1);
      Q_EMIT choice->activated(1);
      listSeconds =
          std::max(listSeconds, std::chrono::duration<double>(Clock::now() - start).count());
      listMb = std::max(listMb, ResidentMb() - before);
    }
    pageCount = pages->pageCount();
    preview.hide();
  }
  void KeepResponsive(QProgressDialog&) override {
    const Clock::time_point now = Clock::now();
    if (steps > 0) longestGap = std::max(longestGap, now - last);
    last = now;
    ++steps;
    QCoreApplication::processEvents();
  }

  QString target;
  bool wholeList = false;
  int pageCount = 0;
  double listSeconds = 0, listMb = 0;
  int steps = 0;
  Clock::time_point last;
  Clock::duration longestGap{};
};

struct Window {
  EndAtOnce host;
  RecordingMessageSink messages;  // every question is answered with yes
  StringTable strings = StringTable::German();
  FixedClock clock{test::kBenchmarkDate};
  NoPrinter printer;
  BenchDialogs dialogs;
  AppEnvironment app;
  std::unique_ptr<MainDialog> dialog;
  Window() {
    app.ui = UiContext{&host, &messages, &strings};
    app.clock = &clock;
    app.dataFolder = FullDataSet().Folder();
    app.settingsFile = FullDataSet().Path() / "bench.INI";
    app.printer = &printer;
    app.printDialogs = &dialogs;
    dialog = std::make_unique<MainDialog>(app);
    dialog->DoModal();
    // What morvind-print prints by default: the header and every month the
    // rule enables (September at the start of October).
    // (The dialog has ended, so the boxes are set, not clicked.)
    dialog->SetCheck(MainDialog::kFirstMonthBox, true);
  }
};

void BM_PreviewOfOneCard(benchmark::State& state) {
  Window window;
  for (auto _ : state) window.dialog->Commands()->ShowPreview();
  if (window.dialogs.pageCount != 1) state.SkipWithError("the preview has no page");
}
BENCHMARK(BM_PreviewOfOneCard)->Unit(benchmark::kMillisecond);

void BM_PreviewOfOneSheet(benchmark::State& state) {
  Window window;
  window.dialog->form = RecordForm::kSheet1123;
  for (auto _ : state) window.dialog->Commands()->ShowPreview();
  if (window.dialogs.pageCount != 1) state.SkipWithError("the preview has no page");
}
BENCHMARK(BM_PreviewOfOneSheet)->Unit(benchmark::kMillisecond);

// The official form (the test form, whose fonts need no substitute): the
// selected publisher's filled pages, rendered for the preview.
void BM_PreviewOfOneOfficialForm(benchmark::State& state) {
  Window window;
  test::TempFolder forms("bench-preview-form");
  test::FillableFormOptions plain;
  plain.substituteFonts = false;
  std::ofstream(forms.File("form.pdf"), std::ios::binary) << test::FillableFormPdf(plain);
  window.dialog->form = RecordForm::kOfficialForm;
  window.dialog->formFile = forms.File("form.pdf").string();
  for (auto _ : state) window.dialog->Commands()->ShowPreview();
  if (window.dialogs.pageCount != 2) state.SkipWithError("the preview lacks the form's pages");
}
BENCHMARK(BM_PreviewOfOneOfficialForm)->Unit(benchmark::kMillisecond);

void BM_PreviewOfTheWholeList(benchmark::State& state) {
  Window window;
  window.dialogs.wholeList = true;
  for (auto _ : state) window.dialog->Commands()->ShowPreview();
  if (window.dialogs.pageCount != 909) state.SkipWithError("the preview lacks pages");
  state.counters["list_s"] = window.dialogs.listSeconds;
  state.counters["list_MB"] = window.dialogs.listMb;
}
BENCHMARK(BM_PreviewOfTheWholeList)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WindowListToPdf(benchmark::State& state) {
  Window window;
  test::TempFolder out("bench-window-pdf");
  window.dialogs.target = QString::fromStdString((out.Path() / "liste.pdf").string());
  for (auto _ : state) {
    window.dialogs.steps = 0;
    window.dialog->Commands()->SaveListPdf();
  }
  if (!window.messages.texts.empty()) state.SkipWithError(window.messages.texts.front().c_str());
  state.counters["steps"] = window.dialogs.steps;
  state.counters["longest_gap_ms"] =
      std::chrono::duration<double, std::milli>(window.dialogs.longestGap).count();
  std::error_code error;
  state.counters["bytes"] =
      static_cast<double>(std::filesystem::file_size(out.Path() / "liste.pdf", error));
}
BENCHMARK(BM_WindowListToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// morvind-print --all --pdf on the same data, as a process from start to the
// finished file.
void BM_CommandLineListToPdf(benchmark::State& state) {
  const test::TempFolder& data = FullDataSet();
  test::TempFolder out("bench-cli-pdf");
  std::ofstream(data.File("bench.INI")).flush();
  std::vector<std::string> args = {MORVIND_PRINT_BINARY,
                                   "--all",
                                   "--data",
                                   data.Path().string(),
                                   "--date",
                                   "2024-10-01",
                                   "--settings",
                                   data.File("bench.INI").string(),
                                   "--pdf",
                                   (out.Path() / "cards.pdf").string()};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  for (auto _ : state) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int status = -1;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0 ||
        waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
      state.SkipWithError("morvind-print failed");
    posix_spawn_file_actions_destroy(&actions);
  }
  std::error_code error;
  state.counters["bytes"] =
      static_cast<double>(std::filesystem::file_size(out.Path() / "cards.pdf", error));
}
BENCHMARK(BM_CommandLineListToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
