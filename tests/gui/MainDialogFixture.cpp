#include "MainDialogFixture.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/qt/CardPrinterApp.h"
#include "app/qt/PublisherListBox.h"

namespace morvind::test {

MainDialogFixture::MainDialogFixture() {
  printer = std::make_unique<PdfFilePrinter>(
      QString::fromStdString((folder.Path() / "card.pdf").string()));
  environment.ui = UiContext{&host, &messages, &strings};
  environment.eventClock = &eventClock;
  environment.dataFolder = folder.Folder();
  environment.settingsFile = folder.Path() / "morvind.INI";
  environment.printer = printer.get();
  environment.printDialogs = &printDialogs;
  environment.print = [this](QPrinter& target, const std::vector<CardRequest>& cards,
                             const CardDocumentOptions& options) {
    PrintCall call;
    call.printer = &target;
    call.cards = cards;
    call.testSheet = options.testSheet;
    call.title = options.title;
    call.drawing = std::make_unique<RecordingSurface>();
    CardDocumentOptions drawing = options;
    drawing.cardDone = nullptr;
    DrawCardDocument(*call.drawing, cards, drawing);
    prints.push_back(std::move(call));
    const std::size_t at = prints.size() - 1;
    CardDocumentOptions counted = options;
    counted.cardDone = [this, at, inner = options.cardDone](int done) {
      prints[at].pagesDrawn = done;
      return inner ? inner(done) : true;
    };
    PrintResult result = PrintCards(target, cards, counted);
    prints[at].outcome = result.outcome;
    return result;
  };
}

void MainDialogFixture::TearDown() {
  EXPECT_TRUE(host.errors.empty()) << host.errors.front();
  EXPECT_TRUE(host.unended.empty()) << "a dialog was left open: " << host.unended.front();
}

DemoPublisher MainDialogFixture::Publisher(const std::string& first, const std::string& last,
                                           int group, std::uint16_t id) {
  DemoPublisher publisher;
  publisher.firstName = first;
  publisher.lastName = last;
  publisher.group = group;
  publisher.id = id;
  return publisher;
}

void MainDialogFixture::WriteData() {
  std::string error;
  ASSERT_TRUE(WriteCongregation(folder.Path(), congregation, &error)) << error;
}

void MainDialogFixture::WriteSettings(const std::string& text) {
  std::ofstream(folder.Path() / "morvind.INI", std::ios::binary) << text;
}

std::string MainDialogFixture::ReadFileText(const std::string& name) const {
  std::ifstream in(folder.Path() / name, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

bool MainDialogFixture::FileExists(const std::string& name) const {
  return std::filesystem::exists(folder.Path() / name);
}

std::vector<std::string> MainDialogFixture::FolderFiles() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

int MainDialogFixture::RunMain(const std::function<void(MainDialog&)>& script) {
  clock = std::make_unique<FixedClock>(today);
  environment.clock = clock.get();
  MainDialog dialog(environment);
  // The main dialog opens first (after a password dialog, if any).
  auto mainScript = [&](Dialog& d) {
    auto& main = static_cast<MainDialog&>(d);
    if (script) script(main);
    ProcessEvents();
    if (!main.HasEnded()) main.ClickButton(kIdCancel);
  };
  if (expectPassword)
    host.Expect(kMainTemplate, mainScript);
  else
    host.ExpectFirst(kMainTemplate, mainScript);
  int result = dialog.DoModal();
  expectPassword = false;
  // A run that ended early (a refused password) leaves its scripts unused;
  // they must not reach the next run's dialogs.
  leftoverScripts = host.PendingScripts();
  host.DiscardPending();
  return result;
}

DataFolderSource MainDialogFixture::RunStart(
    const DataFolderStart& start, std::vector<std::optional<std::filesystem::path>> chosenFolders,
    const std::function<void(MainDialog&)>& script) {
  clock = std::make_unique<FixedClock>(today);
  environment.clock = clock.get();
  host.ExpectFirst(kMainTemplate, [&](Dialog& d) {
    auto& main = static_cast<MainDialog&>(d);
    if (script) script(main);
    ProcessEvents();
    if (!main.HasEnded()) main.ClickButton(kIdCancel);
  });
  std::size_t next = 0;
  FolderChooser chooser = [&](const std::filesystem::path& openIn) {
    chooserOpenedIn.push_back(openIn);
    return next < chosenFolders.size() ? chosenFolders[next++]
                                       : std::optional<std::filesystem::path>();
  };
  DataFolderSource source = RunMainWindow(environment, start, chooser);
  leftoverScripts = host.PendingScripts();
  host.DiscardPending();
  return source;
}

std::vector<std::string> MainDialogFixture::ListLines(MainDialog& dialog) {
  std::vector<std::string> lines;
  ListBox* list = dialog.PublisherList();
  for (int i = 0; i < list->Count(); ++i) lines.push_back(list->Text(i));
  return lines;
}

void MainDialogFixture::Click(MainDialog& dialog, int id) {
  dialog.ClickButton(id);
  ProcessEvents();
}

}  // namespace morvind::test
