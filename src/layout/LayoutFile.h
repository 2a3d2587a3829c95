#pragma once

#include "data/DataFolder.h"
#include "layout/CardVersion.h"
#include "layout/LayoutRecord.h"
#include "resources/StringTable.h"

namespace morvind {

// Zeroes `record`, then reads the version's layout file into it; true only
// when a whole 400 bytes were read (a longer file gives its first 400).
bool LoadLayoutFile(LayoutRecord& record, CardVersion version, const DataFolder& folder);

// Writes the 400 bytes to the version's layout file through a temporary
// file in the same folder that is renamed over the old one, so a failed
// write leaves the old layout intact. Failures are silent; returns whether
// the file was written.
bool SaveLayoutFile(const LayoutRecord& record, CardVersion version, const DataFolder& folder);

// Replaces the whole record with the version's default layout from the
// string table (reserved slots zero; a missing string leaves its slot empty).
void FillDefaultLayout(LayoutRecord& record, CardVersion version, const StringTable& strings);

// LoadLayoutFile, and the defaults of the same version when that fails.
void LoadLayoutOrDefaults(LayoutRecord& record, CardVersion version, const DataFolder& folder,
                          const StringTable& strings);

}  // namespace morvind
