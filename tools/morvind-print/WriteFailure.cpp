#include "WriteFailure.h"

#include <sys/stat.h>

#include <cstring>

namespace morvind::cli {

std::string EnglishReason(const WriteResult& result) {
  switch (result.problem) {
    case WriteProblem::kNone:
      break;
    case WriteProblem::kNotAFile:
      switch (result.fileType) {
        case S_IFDIR:
          return "it is a folder";
        case S_IFCHR:
        case S_IFBLK:
          return "it is a device, not a regular file";
        case S_IFIFO:
          return "it is a FIFO, not a regular file";
      }
      return "it is not a regular file";
    case WriteProblem::kDanglingLink:
      return "it is a link to " + result.detail.string() + ", which does not exist";
    case WriteProblem::kWriteProtected:
      return "it is write-protected";
    case WriteProblem::kIncomplete:
      return "it came out incomplete (is the disk full?)";
    case WriteProblem::kChangedMeanwhile:
      return "it was changed meanwhile";
    case WriteProblem::kSystem:
      return std::strerror(result.error);
  }
  return std::string();
}

std::string CantWriteMessage(const std::filesystem::path& file, const WriteResult& result) {
  return "can't write " + file.string() + ": " + EnglishReason(result);
}

}  // namespace morvind::cli
