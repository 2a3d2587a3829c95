#pragma once

#include <filesystem>

#include "app/Clock.h"
#include "data/DataFolder.h"
#include "data/PublisherTable.h"
#include "printing/qt/ProgramPrinter.h"
#include "toolkit/UiContext.h"

namespace morvind {

// What the main dialog works with, handed in from outside so that tests can
// give every piece a stand-in: the modal host and message sink, the clock,
// the data folder, the settings file, the program's printer and the way the
// publisher table's memory is obtained.
struct AppEnvironment {
  UiContext ui;
  const Clock* clock = nullptr;
  DataFolder dataFolder;
  std::filesystem::path settingsFile;
  ProgramPrinter* printer = nullptr;
  TableBlockAllocator allocator = AllocateZeroedBlock;
};

}  // namespace morvind
