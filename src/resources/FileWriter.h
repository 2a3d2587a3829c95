#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "resources/FileIdentity.h"

namespace morvind {

// The one way the program writes a file: the drawing listing, the layout
// files, the settings file, PDF files and the print spool. Its rules:
// - The content goes to a temporary file with a short name (".morvind-…")
//   in the target's folder, so that a target name of 255 bytes works; the
//   data and then the folder are synced around the rename over the target.
//   On any failure the old file is untouched and no temporary file is left.
// - A target that is a symbolic link is written through it: the temporary
//   file goes into the folder of the file the link leads to, which is
//   replaced while the link stays. A link that leads nowhere is refused.
// - Only a regular file (or no file yet) is replaced: a folder, a FIFO, a
//   device node or a socket is refused and stays as it is.
// - A write-protected file is never replaced: one on which no write bit
//   applies to the user, and for the superuser one without any write bit.
// - The temporary file is readable by its owner only (0600) until just
//   before the rename, when it gets the replaced file's permission bits,
//   and its owner and group where the process may set them; a new file
//   gets 0666 less the umask. So a private file is never readable by
//   others, not even for a moment.
// - A caller that read the file first (a folder of records) names what it
//   read (WriteOptions::expected) or that there was nothing
//   (WriteOptions::mustBeNew): just before the rename the name must still
//   stand for that, and a new file never replaces one that appeared
//   meanwhile. Links are not followed then.
// - Only layouts and settings (WriteOptions::inPlaceFallback) are written
//   in place, and only where their folder takes no new file but the file
//   itself may be written: the user's edit is kept at the price of a file
//   that a crash at that moment could leave mixed.

// Why a file was not written.
enum class WriteProblem {
  kNone,
  kNotAFile,          // a folder, a FIFO, a device node or a socket
  kDanglingLink,      // a symbolic link to something that does not exist
  kWriteProtected,    // see the rules above
  kIncomplete,        // the caller's completeness check found the content cut short
  kChangedMeanwhile,  // not the file the caller read (or no longer nothing) just before the rename
  kSystem,            // the system refused (`error`): a folder that takes no file, a full disk
};

struct WriteResult {
  WriteProblem problem = WriteProblem::kNone;
  int error = 0;                   // kSystem: the errno
  mode_t fileType = 0;             // kNotAFile: the S_IFMT bits of what is there
  std::filesystem::path detail{};  // the folder of a kSystem error, the goal of a dangling link
  bool Ok() const { return problem == WriteProblem::kNone; }
  bool operator==(const WriteResult&) const = default;
};

struct WriteOptions {
  bool inPlaceFallback = false;            // layouts and settings only, see above
  bool createFolder = false;               // make the missing folders of the path first
  std::optional<FileIdentity> expected{};  // the file read before (see the rules above)
  bool mustBeNew = false;                  // nothing was there (see the rules above)
};

// Whether the rules above count the existing regular file `file`, of
// status `status`, as write-protected.
bool IsWriteProtected(const std::filesystem::path& file, const struct stat& status);

// Writes `bytes` as the whole content of `target` by the rules above.
WriteResult ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                                const WriteOptions& options = {});

// The same rules for a writer that needs a path of its own (QPrinter): the
// constructor checks the target and creates the temporary file, the caller
// writes TemporaryPath() (truncating it is fine), then commits or aborts.
// Destroyed without Commit, it aborts. Never written in place.
class FileReplacement {
 public:
  explicit FileReplacement(const std::filesystem::path& target, const WriteOptions& options = {});
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // False when the target was refused or no temporary file could be made;
  // Result() says why.
  bool Ready() const { return fd_ >= 0; }
  const WriteResult& Result() const { return result_; }
  const std::filesystem::path& TemporaryPath() const { return temporary_; }

  // Appends `bytes` to the temporary file.
  WriteResult Write(std::string_view bytes);
  // When `complete` (given the temporary path) says yes, syncs the
  // temporary file, gives it the target's permissions and renames it over
  // the target; otherwise, or on any failure, removes it (kIncomplete).
  WriteResult Commit(const std::function<bool(const std::filesystem::path&)>& complete = {});
  // Removes the temporary file; the target stays as it was.
  void Abort();

 private:
  std::filesystem::path target_;  // the file replaced, a link resolved
  std::filesystem::path temporary_;
  std::optional<FileIdentity> expected_;
  bool mustBeNew_ = false;
  int fd_ = -1;
  bool existed_ = false;
  mode_t mode_ = 0;
  uid_t owner_ = 0;
  gid_t group_ = 0;
  WriteResult result_;
};

// Gives the file `from` (still the file `expected` names, a link not
// followed) the name `to` in the same folder, where nothing has that name:
// kChangedMeanwhile when either no longer holds.
WriteResult RenameUnreplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                              const FileIdentity& expected);

// Why the write failed, as a German sentence for the user: "Die Datei ist
// schreibgeschützt."
std::string WriteFailureReason(const WriteResult& result);

// "%1 konnte nicht gespeichert werden: %2" with the file and the reason.
std::string SaveFailedMessage(const std::filesystem::path& file, const WriteResult& result);

}  // namespace morvind
