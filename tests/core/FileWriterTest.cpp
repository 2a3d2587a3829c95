#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <optional>

#include "core/ScratchFolder.h"
#include "resources/FileWriter.h"
#include "resources/FolderLock.h"
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
  WriteBytes(file.TemporaryPath(), bytes);
  return file.Commit([&](const fs::path& p) { return fs::file_size(p) == bytes.size(); });
}

// What a case finds in its folder before the write: "file" (holding "old",
// with `mode`, owned by nobody where the superuser may give it away), "fifo",
// "folder", "device", "link" (to real/<name>, a file as above), "dangling"
// (a link to a missing file), or nothing.
fs::path Make(const fs::path& at, const std::string& kind, const std::string& name, mode_t mode) {
  fs::path target = at / name;
  if (kind == "link") {
    fs::create_directory(at / "real");
    fs::create_symlink("real/" + name, target);
    target = at / "real" / name;
  }
  if (kind == "file" || kind == "link") {
    WriteBytes(target, "old");
    ::chmod(target.c_str(), mode);
    (void)::chown(target.c_str(), kNobody, kNobody);
  }
  if (kind == "dangling") fs::create_symlink("gone/" + name, target);
  if (kind == "fifo") ::mkfifo(target.c_str(), 0644);
  if (kind == "folder") fs::create_directories(target / "inside");
  if (kind == "device") ::mknod(target.c_str(), S_IFCHR | 0666, makedev(1, 3));
  return target;
}

TEST(FileWriterTest, BothFormsKeepEveryRuleAndLeaveNothingBehindOnFailure) {
  const std::string bytes(1000, 'n');
  const std::string longName = std::string(251, 'x') + ".pdf";
  struct Case {
    const char* what;
    const char* kind;
    std::string name;
    mode_t mode;           // of the file before, and so after the write
    WriteProblem problem;  // of the bytes form; kNone: written
    bool asOrdinaryUser = false;
    bool readOnlyFolder = false;
    bool needsRoot = false;
    rlim_t sizeLimit = 0;
  };
  const Case cases[] = {
      {"a new file gets 0666 less the umask", "", "new.pdf", 0644, WriteProblem::kNone},
      {"a file keeps its mode, owner and group", "file", "old.dat", 0640, WriteProblem::kNone},
      {"a name of 255 bytes", "file", longName, 0644, WriteProblem::kNone},
      {"a link is written through, in its file's folder", "link", "cplot.dat", 0600,
       WriteProblem::kNone, true, true},
      {"a dangling link", "dangling", "link.pdf", 0, WriteProblem::kDanglingLink},
      {"a FIFO", "fifo", "pipe.pdf", 0, WriteProblem::kNotAFile},
      {"a folder", "folder", "dir.pdf", 0, WriteProblem::kNotAFile},
      {"a device node", "device", "null.pdf", 0, WriteProblem::kNotAFile, false, false, true},
      {"no write bit at all", "file", "ro.dat", 0444, WriteProblem::kWriteProtected},
      {"no write bit for its owner", "file", "ro.dat", 0466, WriteProblem::kWriteProtected, true},
      {"the superuser and any write bit", "file", "w.dat", 0402, WriteProblem::kNone, false, false,
       true},
      {"an output is never written in place", "file", "out.pdf", 0644, WriteProblem::kSystem, true,
       true},
      {"a write that fails half way", "file", "old.pdf", 0644, WriteProblem::kSystem, false, false,
       false, 500},
  };
  const mode_t oldUmask = ::umask(022);
  for (const Case& c : cases) {
    if (c.needsRoot && ::geteuid() != 0) continue;  // a device node, the superuser's rule
    for (bool viaPath : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (viaPath ? ", through the temporary path" : ""));
      ScratchFolder scratch("writer");
      const fs::path target = Make(scratch.Path(), c.kind, c.name, c.mode);
      const fs::path given = scratch.Path() / c.name;
      if (c.readOnlyFolder) ::chmod(scratch.Path().c_str(), 0555);
      // The second form leaves the check of what was written to its caller.
      const WriteProblem expected = viaPath && c.sizeLimit ? WriteProblem::kIncomplete : c.problem;
      auto write = [&] {
        std::optional<test::FileSizeLimit> limit;
        if (c.sizeLimit) limit.emplace(c.sizeLimit);
        return viaPath ? WriteThroughTemporaryPath(given, bytes)
                       : ReplaceFileContents(given, bytes);
      };
      const bool withOwner = !c.asOrdinaryUser;
      std::map<std::string, std::string> after = Snapshot(scratch.Path(), withOwner);
      if (c.asOrdinaryUser) {
        EXPECT_TRUE(test::AsOrdinaryUser(scratch, [&] { return write().problem == expected; }));
      } else {
        EXPECT_EQ(write().problem, expected);
      }
      if (expected == WriteProblem::kNone) {
        // Only the written file changed, and only its content: not its
        // mode, owner or kind.
        std::string& entry = after[target.lexically_relative(scratch.Path()).string()];
        if (entry.empty())
          entry = std::to_string(S_IFREG | c.mode) + " " + std::to_string(::geteuid()) + ":" +
                  std::to_string(::getegid()) + " ";
        entry = entry.substr(0, entry.rfind(' ') + 1) + bytes;
      }
      ::chmod(scratch.Path().c_str(), 0755);
      EXPECT_EQ(Snapshot(scratch.Path(), withOwner), after);
    }
  }
  ::umask(oldUmask);
}

// A folder of records reads each file before it replaces it: the name must
// still stand for what was read, at the last moment too, and a new file
// never takes the place of one that appeared meanwhile.
TEST(FileWriterTest, AFileReadBeforeIsReplacedOnlyWhileItIsStillTheFileRead) {
  enum class When { kNever, kBeforeWrite, kBeforeCommit };
  const struct {
    const char* what;
    bool existed;        // a file "old" was read before the write
    const char* change;  // "" nothing, "edit", "link", "new"
    When when;
    WriteProblem problem;
  } cases[] = {
      {"unchanged", true, "", When::kNever, WriteProblem::kNone},
      {"still nothing there", false, "", When::kNever, WriteProblem::kNone},
      {"edited before the write", true, "edit", When::kBeforeWrite,
       WriteProblem::kChangedMeanwhile},
      {"edited before the rename", true, "edit", When::kBeforeCommit,
       WriteProblem::kChangedMeanwhile},
      {"made a link", true, "link", When::kBeforeCommit, WriteProblem::kChangedMeanwhile},
      {"a file appeared", false, "new", When::kBeforeWrite, WriteProblem::kChangedMeanwhile},
      {"a file appeared before the rename", false, "new", When::kBeforeCommit,
       WriteProblem::kChangedMeanwhile},
  };
  const mode_t umask = ::umask(022);
  ::umask(umask);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder scratch("read-before");
    const fs::path file = scratch / "record.pdf";
    WriteOptions options;
    if (c.existed) {
      WriteBytes(file, "old");
      ::chmod(file.c_str(), 0640);
      options.expected = CurrentIdentity(file);
    } else {
      options.mustBeNew = true;
    }
    auto change = [&] {
      const std::string what = c.change;
      if (what == "edit" || what == "new") WriteBytes(file, "theirs, longer");
      if (what == "link") {
        fs::remove(file);
        fs::create_symlink("elsewhere.pdf", file);
      }
    };
    if (c.when == When::kBeforeWrite) change();
    FileReplacement replacement(file, options);
    if (replacement.Ready()) {
      struct stat temporary {};
      ::stat(replacement.TemporaryPath().c_str(), &temporary);
      EXPECT_EQ(temporary.st_mode & 07777, 0600u);
      replacement.Write("new");
      if (c.when == When::kBeforeCommit) change();
    }
    const WriteResult result = replacement.Ready() ? replacement.Commit() : replacement.Result();
    EXPECT_EQ(result.problem, c.problem);
    std::map<std::string, std::string> entries = Snapshot(scratch.Path(), false);
    EXPECT_EQ(entries.size(), 1u);  // no temporary file left
    if (c.problem == WriteProblem::kNone) {
      EXPECT_EQ(test::ReadBytes(file), "new");
      struct stat written {};
      ::stat(file.c_str(), &written);
      EXPECT_EQ(written.st_mode & 07777, c.existed ? 0640u : 0666u & ~umask);
    }
  }
}

TEST(FileWriterTest, OneRunHoldsAFolderAndLeavesNoLockFileBehind) {
  ScratchFolder scratch("lock");
  {
    FolderLock first(scratch.Path());
    EXPECT_EQ(first.Result(), FolderLock::State::kHeld);
    EXPECT_EQ(FolderLock(scratch.Path()).Result(), FolderLock::State::kBusy);
  }
  EXPECT_EQ(FolderLock(scratch.Path()).Result(), FolderLock::State::kHeld);
  EXPECT_TRUE(Snapshot(scratch.Path(), false).empty());
  FolderLock gone(scratch / "gone");
  EXPECT_EQ(gone.Result(), FolderLock::State::kError);
  EXPECT_EQ(gone.Error(), ENOENT);
}

}  // namespace
}  // namespace morvind
