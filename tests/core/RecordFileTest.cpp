#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "core/ScratchFolder.h"
#include "pdf/RecordSeal.h"
#include "support/FillableFormWriter.h"

namespace morvind::test {
namespace {

// A record as Morvind saves it, the file digest still the placeholder:
// the entries as UTF-16 strings, which qpdf (like Poppler) writes in
// lower-case hexadecimal.
std::string UnsealedRecord() {
  const std::string form = FillableFormPdf();
  QPDF pdf;
  pdf.processMemoryFile("form", form.data(), form.size());
  QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
  auto utf16 = [](const std::string& ascii) {
    std::string text = "\xFE\xFF";
    for (char c : ascii) text += std::string(1, '\0') + c;
    return QPDFObjectHandle::newString(text);
  };
  info.replaceKey("/" + std::string(kRecordKeyEntry), utf16("publisher:17"));
  info.replaceKey("/" + std::string(kFileDigestEntry), utf16(FileDigestPlaceholder()));
  QPDFWriter writer(pdf);
  writer.setOutputMemory();
  writer.write();
  auto buffer = writer.getBufferSharedPointer();
  return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
}

TEST(RecordFileTest, AFileOfTheFolderIsReadOnlyWhenItIsARegularPdf) {
  ScratchFolder folder("record-files");
  std::string sealed = UnsealedRecord();
  ASSERT_TRUE(SealRecordFile(sealed));
  const std::string unsealed = UnsealedRecord();
  using Setup = std::function<void(const std::filesystem::path&)>;
  auto bytes = [](std::string pdf, mode_t mode = 0644) -> Setup {
    return [pdf, mode](const std::filesystem::path& path) {
      WriteBytes(path, pdf);
      ::chmod(path.c_str(), mode);
    };
  };
  WriteBytes(folder / "target.pdf", sealed);
  const struct {
    const char* what;
    Setup setup;
    RecordFileKind kind;
    bool sealIntact, writeProtected;
  } cases[] = {
      {"nothing", [](auto&) {}, RecordFileKind::kMissing, false, false},
      {"a link to a record",
       [&](auto& path) { std::filesystem::create_symlink(folder / "target.pdf", path); },
       RecordFileKind::kLink, false, false},
      {"a folder", [](auto& path) { std::filesystem::create_directory(path); },
       RecordFileKind::kNotRegular, false, false},
      {"a FIFO", [](auto& path) { ::mkfifo(path.c_str(), 0644); }, RecordFileKind::kNotRegular,
       false, false},
      {"not a PDF", bytes("%PDF-1.7\n"), RecordFileKind::kUnreadable, false, false},
      {"too large",
       [&](auto& path) {
         WriteBytes(path, sealed);
         std::filesystem::resize_file(path, 9 << 20);
       },
       RecordFileKind::kUnreadable, false, false},
      {"refused by the gate", bytes(FillableFormPdf({FillableFormOptions::Fault::kKidsCycle})),
       RecordFileKind::kUnreadable, false, false},
      {"sealed", bytes(sealed), RecordFileKind::kPdf, true, false},
      {"sealed, write-protected", bytes(sealed, 0444), RecordFileKind::kPdf, true, true},
      {"never sealed", bytes(unsealed), RecordFileKind::kPdf, false, false},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::filesystem::path path = folder / ("record" + std::to_string(++n) + ".pdf");
    c.setup(path);
    const RecordFileFacts facts = ReadRecordFile(path);
    EXPECT_EQ(facts.kind, c.kind);
    EXPECT_EQ(facts.sealIntact, c.sealIntact);
    EXPECT_EQ(facts.writeProtected, c.writeProtected);
    EXPECT_EQ(facts.identity, CurrentIdentity(path).value_or(FileIdentity{}));
    if (c.kind == RecordFileKind::kPdf) {
      EXPECT_EQ(facts.info.recordKey, "publisher:17");
      EXPECT_EQ(facts.info.fileDigest.size(), 64u);
    }
  }
}

}  // namespace
}  // namespace morvind::test
