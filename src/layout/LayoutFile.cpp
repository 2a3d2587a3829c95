#include "layout/LayoutFile.h"

#include <cstdio>
#include <cstring>

#include "resources/StringIds.h"

namespace morvind {

bool LoadLayoutFile(LayoutRecord& record, CardVersion version, const DataFolder& folder) {
  record.Clear();
  std::FILE* file = std::fopen(folder.PathOf(LayoutFileName(version)).c_str(), "rb");
  if (!file) return false;
  // Read into a buffer first: a short file must not leave part of its bytes
  // in the record, which stays all zero for the caller's defaults.
  std::uint8_t buffer[LayoutRecord::kSize];
  bool whole = std::fread(buffer, LayoutRecord::kSize, 1, file) == 1;
  std::fclose(file);
  if (whole) std::memcpy(record.Bytes().data(), buffer, LayoutRecord::kSize);
  return whole;
}

WriteResult SaveLayoutFile(const LayoutRecord& record, CardVersion version,
                           const DataFolder& folder) {
  const auto& bytes = record.Bytes();
  return ReplaceFileContents(
      folder.PathOf(LayoutFileName(version)),
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
      {.inPlaceFallback = true});
}

WriteResult SaveLayoutEdits(const LayoutRecord& record, CardVersion version,
                            const DataFolder& folder, const StringTable& strings) {
  WriteResult saved = SaveLayoutFile(record, version, folder);
  if (saved.Ok()) return saved;
  // A data folder the user may only read fails every save; only one that
  // would have kept an edit is worth a word.
  LayoutRecord stored;
  LoadLayoutOrDefaults(stored, version, folder, strings);
  return stored == record ? WriteResult{} : saved;
}

void FillDefaultLayout(LayoutRecord& record, CardVersion version, const StringTable& strings) {
  record.Clear();
  for (int i = 0; i < kHeaderItemCount; ++i) {
    record.Set(2 * i, strings.Get(str::kDefaultHeaderXBase + 20 * version + i));
    record.Set(2 * i + 1, strings.Get(str::kDefaultHeaderYBase + 20 * version + i));
  }
  for (int j = 0; j < kBodySlotCount; ++j) {
    record.Set(kBodyTop + j, strings.Get(str::kDefaultBodyBase + 20 * version + j));
  }
}

void LoadLayoutOrDefaults(LayoutRecord& record, CardVersion version, const DataFolder& folder,
                          const StringTable& strings) {
  if (!LoadLayoutFile(record, version, folder)) FillDefaultLayout(record, version, strings);
}

}  // namespace morvind
