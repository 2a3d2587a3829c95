#pragma once

#include "data/DataFolder.h"
#include "layout/CardVersion.h"
#include "layout/LayoutRecord.h"
#include "resources/FileWriter.h"
#include "resources/StringTable.h"

namespace morvind {

// Zeroes `record`, then reads the version's layout file into it; true only
// when a whole 400 bytes were read (a longer file gives its first 400).
bool LoadLayoutFile(LayoutRecord& record, CardVersion version, const DataFolder& folder);

// Writes the 400 bytes to the version's layout file with the program's file
// writer (in place where the folder takes no new file), so a failed write
// leaves the old layout intact; says why it failed.
WriteResult SaveLayoutFile(const LayoutRecord& record, CardVersion version,
                           const DataFolder& folder);

// SaveLayoutFile for the saves the program makes on its own (at a version
// switch, at the end): a failure is returned only when it loses something,
// that is when the record differs from what loading the version gives (its
// file, or its defaults without one); otherwise the result is a success.
WriteResult SaveLayoutEdits(const LayoutRecord& record, CardVersion version,
                            const DataFolder& folder, const StringTable& strings);

// Replaces the whole record with the version's default layout from the
// string table (reserved slots zero; a missing string leaves its slot empty).
void FillDefaultLayout(LayoutRecord& record, CardVersion version, const StringTable& strings);

// LoadLayoutFile, and the defaults of the same version when that fails.
void LoadLayoutOrDefaults(LayoutRecord& record, CardVersion version, const DataFolder& folder,
                          const StringTable& strings);

}  // namespace morvind
