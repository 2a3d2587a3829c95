// The PDF room's files as Poppler reads, fills and saves them. Kept apart
// from the tests of the Poppler face (OfficialForm.h), whose own record
// types the room's replace.

#include <gtest/gtest.h>
#include <poppler-form.h>
#include <poppler-qt6.h>

#include <QBuffer>
#include <QProcess>
#include <map>
#include <qpdf/QPDF.hh>

#include "PopplerFile.h"
#include "core/ScratchFolder.h"
#include "pdf/OfficialFormFile.h"
#include "pdf/RecordSeal.h"
#include "support/FillableFormWriter.h"

namespace morvind::test {
namespace {

using Fault = FillableFormOptions::Fault;

const WorkingCopyOptions kOptions{U"abcäöü", {}};

// Runs the qpdf program on `pdf`; its exit code (0: no warning).
int Qpdf(const ScratchFolder& folder, const QStringList& arguments, const std::string& pdf) {
  WriteBytes(folder / "in.pdf", pdf);
  const QString in = QString::fromStdString((folder / "in.pdf").string());
  QProcess qpdf;
  qpdf.start("qpdf", QStringList(arguments).replaceInStrings("IN", in));
  qpdf.waitForFinished();
  return qpdf.exitCode();
}

// A record as the folder of records saves it: the working copy filled and
// the record info set in Poppler, saved, sealed.
std::string Record(const std::string& workingCopy, const std::string& key, bool withDigest) {
  PopplerFile record(workingCopy);
  record.Set("900_1_Text_SanSerif", "Anna Berg");
  auto set = [&](std::string_view entry, const std::string& value) {
    record.pdf->setInfo(QString::fromUtf8(entry.data(), static_cast<int>(entry.size())),
                        QString::fromStdString(value));
  };
  set(kRecordKeyEntry, key);
  set(kValuesDigestEntry, "values-of-" + key);
  set(kFormDigestEntry, "form");
  if (withDigest) set(kFileDigestEntry, FileDigestPlaceholder());
  return record.Save();
}

TEST(PdfRoomTest, ARecordIsMorvindsUnchangedOnlyWhileEveryByteIsAsItWasSealed) {
  ScratchFolder folder("record-seal");
  // The form itself made from a record: it carries older entries.
  const std::string older = Record(FillableFormPdf(), "old", true);
  const PreparedForm form = PrepareOfficialFormBytes(older, kOptions);
  ASSERT_TRUE(form.Ok());
  const std::string unsealed = Record(form.workingCopy, "new", true);
  std::string sealed = unsealed;
  ASSERT_TRUE(SealRecordFile(sealed));
  EXPECT_EQ(sealed.size(), unsealed.size());

  auto flipped = [&](std::size_t at) {
    std::string bytes = sealed;
    bytes[at] = static_cast<char>(bytes[at] ^ 1);
    return bytes;
  };
  PopplerFile edited(sealed);
  edited.Set(std::string(kTestFormNoteField), "geändert");
  WriteBytes(folder / "sealed.pdf", sealed);
  Qpdf(folder, {"IN", QString::fromStdString((folder / "resaved.pdf").string())}, sealed);
  // Another program's update that names an information dictionary of its
  // own: the entries are read from the newest trailer.
  const std::size_t root = sealed.find("/Root ", sealed.rfind("trailer")) + 6;
  std::string updated = sealed + "\n";
  const std::string offset = std::to_string(updated.size());
  updated +=
      "900 0 obj\n<< /MorvindRecord (other) /MorvindValuesDigest (values-of-other) >>\n"
      "endobj\n";
  const std::string xref = std::to_string(updated.size());
  updated += "xref\n900 1\n" + std::string(10 - offset.size(), '0') + offset +
             " 00000 n \ntrailer\n<< /Size 901 /Root " +
             sealed.substr(root, sealed.find(" R", root) + 2 - root) + " /Prev " +
             std::to_string(std::stoul(sealed.substr(sealed.rfind("startxref") + 9))) +
             " /Info 900 0 R >>\nstartxref\n" + xref + "\n%%EOF\n";
  const struct {
    const char* what;
    std::string bytes;
    std::string key;
    bool intact;
  } cases[] = {
      {"as sealed", sealed, "new", true},
      {"a byte changed in the middle", flipped(sealed.size() / 2), "new", false},
      {"a byte of the digest changed", flipped(sealed.rfind("<feff") + 20), "new", false},
      {"the last byte changed", flipped(sealed.size() - 1), "new", false},
      {"a field changed in Poppler", edited.Save(), "new", false},
      {"an update of another program", updated, "other", false},
      {"saved again by qpdf", ReadBytes(folder / "resaved.pdf"), "new", false},
      {"saved without the file digest", Record(form.workingCopy, "bare", false), "bare", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const RecordFileFacts read = ReadRecordInfo(c.bytes);
    EXPECT_EQ(read.recordKey, c.key);
    EXPECT_EQ(read.valuesDigest, "values-of-" + c.key);
    EXPECT_EQ(read.sealIntact, c.intact);
  }
  EXPECT_EQ(ReadRecordInfo(Record(form.workingCopy, "bare", false)).fileDigest, "");
  std::string bare = Record(form.workingCopy, "bare", false);
  EXPECT_FALSE(SealRecordFile(bare));
}

}  // namespace
}  // namespace morvind::test
