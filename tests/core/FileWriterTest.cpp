#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <optional>

#include "core/ScratchFolder.h"
#include "resources/FileWriter.h"
#include "support/FileSizeLimit.h"

namespace morvind {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;
using test::WriteBytes;

constexpr uid_t kNobody = 65534;

// Every entry below the folder: its kind, mode, owner (when asked for) and
// content or link goal, so that a test sees every change a write made.
std::map<std::string, std::string> Snapshot(const fs::path& folder, bool withOwner) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    struct stat st {};
    ::lstat(entry.path().c_str(), &st);
    std::string text = std::to_string(st.st_mode);
    if (withOwner) text += " " + std::to_string(st.st_uid) + ":" + std::to_string(st.st_gid);
    if (S_ISREG(st.st_mode)) text += " " + test::ReadBytes(entry.path());
    if (S_ISLNK(st.st_mode)) text += " -> " + fs::read_symlink(entry.path()).string();
    entries[entry.path().lexically_relative(folder).string()] = text;
  }
  return entries;
}

// Writes `bytes` through the writer's second form, as QPrinter does: the
// temporary file is opened by its path, and the completeness check is the
// caller's.
WriteResult WriteThroughTemporaryPath(const fs::path& target, const std::string& bytes) {
  FileReplacement file(target);
  if (!file.Ready()) return file.Result();
  test::WriteBytes(file.TemporaryPath(), bytes);
  return file.Commit([&](const fs::path& p) { return fs::file_size(p) == bytes.size(); });
}

TEST(FileWriterTest, BothFormsKeepEveryRuleAndLeaveNothingBehindOnFailure) {
  const std::string bytes(1000, 'n');
  const std::string longName = std::string(251, 'x') + ".pdf";
  struct Case {
    const char* what;
    std::function<fs::path(const fs::path&)> setUp;  // makes the files, gives the target
    WriteProblem problem;                            // of the bytes form; kNone: written
    std::string replaced = "";  // the file that gets the bytes; empty: the target
    mode_t mode = 0644;         // the written file's mode (the umask is 022)
    bool asOrdinaryUser = false;
    bool needsRoot = false;
    rlim_t sizeLimit = 0;
  };
  auto file = [](const char* name, mode_t mode) {
    return [=](const fs::path& at) {
      WriteBytes(at / name, "old");
      ::chmod((at / name).c_str(), mode);
      return at / name;
    };
  };
  const Case cases[] = {
      {"a new file gets 0666 less the umask", [](const fs::path& at) { return at / "new.pdf"; },
       WriteProblem::kNone},
      {"a replaced file keeps its mode, owner and group",
       [](const fs::path& at) {
         WriteBytes(at / "old.dat", "old");
         ::chmod((at / "old.dat").c_str(), 0640);
         (void)::chown((at / "old.dat").c_str(), kNobody, kNobody);  // the superuser only
         return at / "old.dat";
       },
       WriteProblem::kNone, "", 0640},
      {"a name of 255 bytes", file(longName.c_str(), 0644), WriteProblem::kNone},
      {"a link in a folder that takes no file is written through, in its file's folder",
       [](const fs::path& at) {
         fs::create_directory(at / "real");
         WriteBytes(at / "real" / "cplot.dat", "old");
         ::chmod((at / "real" / "cplot.dat").c_str(), 0600);
         fs::create_symlink("real/cplot.dat", at / "link.dat");
         ::chmod(at.c_str(), 0555);
         return at / "link.dat";
       },
       WriteProblem::kNone, "real/cplot.dat", 0600, true},
      {"a dangling link",
       [](const fs::path& at) {
         fs::create_symlink("gone/x.pdf", at / "link.pdf");
         return at / "link.pdf";
       },
       WriteProblem::kDanglingLink},
      {"a FIFO",
       [](const fs::path& at) {
         ::mkfifo((at / "pipe.pdf").c_str(), 0644);
         return at / "pipe.pdf";
       },
       WriteProblem::kNotAFile},
      {"a folder",
       [](const fs::path& at) {
         fs::create_directory(at / "dir.pdf");
         WriteBytes(at / "dir.pdf" / "inside", "x");
         return at / "dir.pdf";
       },
       WriteProblem::kNotAFile},
      {"a device node",
       [](const fs::path& at) {
         ::mknod((at / "null.pdf").c_str(), S_IFCHR | 0666, makedev(1, 3));
         return at / "null.pdf";
       },
       WriteProblem::kNotAFile, "", 0, false, true},
      {"a file without any write bit, for everyone", file("ro.dat", 0444),
       WriteProblem::kWriteProtected},
      {"a file without a write bit for its owner", file("ro.dat", 0466),
       WriteProblem::kWriteProtected, "", 0, true},
      {"the superuser writes a file with any write bit", file("other.dat", 0402),
       WriteProblem::kNone, "", 0402, false, true},
      {"an output in a folder that takes no file is not written in place",
       [](const fs::path& at) {
         WriteBytes(at / "out.pdf", "old");
         ::chmod(at.c_str(), 0555);
         return at / "out.pdf";
       },
       WriteProblem::kSystem, "", 0, true},
      {"a write that fails half way", file("old.pdf", 0644), WriteProblem::kSystem, "", 0, false,
       false, 500},
  };
  const mode_t oldUmask = ::umask(022);
  for (const Case& c : cases) {
    if (c.needsRoot && ::geteuid() != 0) continue;  // a device node, the superuser's rule
    for (bool viaPath : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (viaPath ? ", through the temporary path" : ""));
      ScratchFolder scratch("writer");
      const fs::path target = c.setUp(scratch.Path());
      WriteProblem expected = c.problem;
      // The second form leaves the check of what was written to its caller.
      if (viaPath && c.sizeLimit) expected = WriteProblem::kIncomplete;
      auto write = [&] {
        std::optional<test::FileSizeLimit> limit;
        if (c.sizeLimit) limit.emplace(c.sizeLimit);
        return viaPath ? WriteThroughTemporaryPath(target, bytes)
                       : ReplaceFileContents(target, bytes);
      };
      std::map<std::string, std::string> expectedAfter;
      if (c.asOrdinaryUser) {
        EXPECT_TRUE(test::AsOrdinaryUser(scratch, [&] { return write().problem == expected; }));
        ::chmod(scratch.Path().c_str(), 0755);
        expectedAfter = Snapshot(scratch.Path(), false);
      } else {
        expectedAfter = Snapshot(scratch.Path(), true);
        EXPECT_EQ(write().problem, expected);
      }
      if (expected == WriteProblem::kNone) {
        // Only the written file changed: its content, and not its mode,
        // owner or kind.
        const std::string name =
            c.replaced.empty() ? target.lexically_relative(scratch.Path()).string() : c.replaced;
        std::string& entry = expectedAfter[name];
        if (entry.empty()) {
          entry = std::to_string(S_IFREG | c.mode) + " " + std::to_string(::geteuid()) + ":" +
                  std::to_string(::getegid()) + " " + bytes;
        } else {
          entry = entry.substr(0, entry.rfind(' ') + 1) + bytes;
          EXPECT_EQ(entry.substr(0, entry.find(' ')), std::to_string(S_IFREG | c.mode));
        }
      }
      ::chmod(scratch.Path().c_str(), 0755);
      EXPECT_EQ(Snapshot(scratch.Path(), !c.asOrdinaryUser), expectedAfter);
    }
  }
  ::umask(oldUmask);
}

TEST(FileWriterTest, ReasonsNameWhatIsInTheWay) {
  const struct {
    WriteResult result;
    const char* reason;
  } cases[] = {
      {{.problem = WriteProblem::kNotAFile, .fileType = S_IFCHR},
       "Das ist ein Gerät, keine gewöhnliche Datei."},
      {{.problem = WriteProblem::kDanglingLink, .detail = "gone/x.pdf"},
       "Die Verknüpfung zeigt auf „gone/x.pdf“, und das gibt es nicht."},
      {{.problem = WriteProblem::kWriteProtected}, "Die Datei ist schreibgeschützt."},
      {{.problem = WriteProblem::kSystem, .error = EACCES, .detail = "/daten"},
       "In den Ordner /daten darf nicht geschrieben werden."},
      {{.problem = WriteProblem::kSystem, .error = ENOSPC},
       "Auf dem Datenträger ist kein Platz mehr."},
  };
  for (const auto& c : cases) EXPECT_EQ(WriteFailureReason(c.result), c.reason);
  EXPECT_EQ(SaveFailedMessage("/daten/cplot.dat", cases[2].result),
            "/daten/cplot.dat konnte nicht gespeichert werden: Die Datei ist schreibgeschützt.");
}

}  // namespace
}  // namespace morvind
