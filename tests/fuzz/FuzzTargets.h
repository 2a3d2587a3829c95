#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string_view>

namespace morvind::fuzz {

// One entry point per file the program reads. Each takes any bytes, feeds
// them to the same load functions the window uses and checks properties of
// the result through Check/Fail. Returns 0 (libFuzzer's convention).
using EntryPoint = int (*)(const std::uint8_t* data, std::size_t size);

int FuzzPublisherTable(const std::uint8_t* data, std::size_t size);
int FuzzGroupBlock(const std::uint8_t* data, std::size_t size);
int FuzzExtendedInfo(const std::uint8_t* data, std::size_t size);
int FuzzRemarks(const std::uint8_t* data, std::size_t size);
int FuzzLayoutFile(const std::uint8_t* data, std::size_t size);
int FuzzSettingsFile(const std::uint8_t* data, std::size_t size);
int FuzzDataFolder(const std::uint8_t* data, std::size_t size);
int FuzzPdfGate(const std::uint8_t* data, std::size_t size);

struct Target {
  std::string_view name;  // also the folder of its corpus and regressions
  EntryPoint entry;
};
// Test output names a target by its name.
inline void PrintTo(const Target& target, std::ostream* out) {
  *out << target.name;
}

inline constexpr Target kTargets[] = {
    {"publisher_table", FuzzPublisherTable}, {"group_block", FuzzGroupBlock},
    {"extended_info", FuzzExtendedInfo},     {"remarks", FuzzRemarks},
    {"layout_file", FuzzLayoutFile},         {"settings_file", FuzzSettingsFile},
    {"data_folder", FuzzDataFolder},         {"pdf_gate", FuzzPdfGate},
};

}  // namespace morvind::fuzz
