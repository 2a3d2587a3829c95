#pragma once

#include <filesystem>

#include "data/DataFolder.h"
#include "resources/StringTable.h"

namespace morvind {

// Why an output file (a PDF, a drawing listing) can't be written where the
// user asked for it.
enum class TargetProblem {
  kNone,
  kProgramFile,  // one of the data files, a layout file or the settings file
  kIsFolder,     // the target is a folder
  kNoFolder,     // the folder it would go into does not exist
  kNotWritable,  // that folder can't be written
};

// Checks an output target before anything is drawn: the data files and the
// layout files of `folder` and `settingsFile` are never written over, also
// not through another spelling of their path or a link; the target's
// folder must exist and be writable.
TargetProblem CheckOutputTarget(const std::filesystem::path& target, const DataFolder& folder,
                                const std::filesystem::path& settingsFile,
                                const StringTable& strings);

}  // namespace morvind
