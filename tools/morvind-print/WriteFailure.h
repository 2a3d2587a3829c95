#pragma once

#include <filesystem>
#include <string>

#include "resources/FileWriter.h"

namespace morvind::cli {

// Why the program's file writer did not write a file, in the command line's
// English: "it is a device, not a regular file".
std::string EnglishReason(const WriteResult& result);

// "can't write FILE: REASON".
std::string CantWriteMessage(const std::filesystem::path& file, const WriteResult& result);

}  // namespace morvind::cli
