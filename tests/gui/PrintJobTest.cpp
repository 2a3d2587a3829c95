#include <gtest/gtest.h>

#include <QPrinter>
#include <optional>

#include "core/ScratchFolder.h"
#include "printing/qt/PdfFile.h"
#include "printing/qt/PrintJob.h"
#include "support/CardRequestBuilder.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace morvind::test {
namespace {

// Qt's PDF engine tells of no failed write: a PDF file or a print spool cut
// short (here by a file size limit, as by a full disk) is found only by its
// missing end, and then neither replaces the old file nor reaches the queue.
TEST(PrintJobTest, APdfOrASpoolCutShortReplacesNothingAndIsNotSubmitted) {
  CardRequestBuilder card;
  const std::vector<CardRequest> cards = {card.AllMonths().Request()};
  TempFolder folder("print-job");
  // The spool's private folder goes into the test's folder.
  const QByteArray tmpdir = qgetenv("TMPDIR");
  qputenv("TMPDIR", QByteArray::fromStdString(folder.Path().string()));
  const std::filesystem::path pdf = folder.Path() / "cards.pdf";
  for (bool cutShort : {false, true}) {
    SCOPED_TRACE(cutShort ? "cut short" : "complete");
    std::ofstream(pdf) << "old";
    std::vector<std::string> submitted;
    PrintResult written, spooled;
    {
      std::optional<FileSizeLimit> limit;
      if (cutShort) limit.emplace(4096);
      written = WritePdfFile(cards, pdf, std::nullopt);
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      spooled = SpoolThenSubmit(printer, cards, {}, [&](QPrinter&, const std::filesystem::path& f) {
        submitted.push_back(ReadBytes(f));
        return true;
      });
    }
    EXPECT_EQ(written.outcome, cutShort ? PrintOutcome::kNotWritten : PrintOutcome::kPrinted);
    EXPECT_EQ(written.write.problem, cutShort ? WriteProblem::kIncomplete : WriteProblem::kNone);
    EXPECT_EQ(ReadBytes(pdf) == "old", cutShort);
    EXPECT_EQ(EndsLikeAPdf(pdf), !cutShort);
    EXPECT_EQ(spooled.outcome, cutShort ? PrintOutcome::kNotSpooled : PrintOutcome::kPrinted);
    // What CUPS gets is the whole document.
    EXPECT_EQ(submitted.size(), cutShort ? 0u : 1u);
    for (const std::string& job : submitted) EXPECT_EQ(job.substr(job.size() - 6), "%%EOF\n");
    // Neither a temporary file nor the spool's folder is left.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
  }
  qputenv("TMPDIR", tmpdir);
  if (tmpdir.isNull()) qunsetenv("TMPDIR");

  RecordingMessageSink messages;
  PrintResult cut{PrintOutcome::kNotSpooled, {.problem = WriteProblem::kIncomplete}, "/tmp"};
  ShowPrintFailure(messages, cut);
  EXPECT_EQ(messages.texts, std::vector<std::string>{
                                "Es wurde nichts gedruckt: Der Druckauftrag konnte in /tmp nicht "
                                "vollständig angelegt werden. Die Datei wurde nicht vollständig "
                                "geschrieben (ist der Datenträger voll?)."});
}

}  // namespace
}  // namespace morvind::test
