#include "app/WindowPlacement.h"

#include <charconv>
#include <cstdint>

namespace morvind {
namespace {

// The program's own section, which also remembers the data folder.
constexpr std::string_view kSection = "Morvind";
constexpr std::string_view kSizeKey = "Window Size";
constexpr std::string_view kMaximizedKey = "Maximized";

// A number of up to five digits between blanks; nothing else.
std::optional<int> Number(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 5) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.front() == '-')
    return std::nullopt;
  return value;
}

}  // namespace

std::optional<WindowSize> ParseWindowSize(std::string_view text, WindowSize minimum,
                                          WindowSize available) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::optional<int> width = Number(text.substr(0, comma));
  const std::optional<int> height = Number(text.substr(comma + 1));
  if (!width || !height) return std::nullopt;
  if (*width < minimum.width || *height < minimum.height) return std::nullopt;
  if (*width > available.width || *height > available.height) return std::nullopt;
  return WindowSize{*width, *height};
}

WindowSize FirstWindowSize(WindowSize minimum, WindowSize available) {
  if (minimum.width <= 0 || minimum.height <= 0) return minimum;
  // 80% of the room, in 64 bits: the cross products of five-digit sizes
  // pass 32 bits.
  const std::int64_t roomWidth = std::int64_t{available.width} * 4 / 5;
  const std::int64_t roomHeight = std::int64_t{available.height} * 4 / 5;
  std::int64_t width = roomWidth;
  std::int64_t height = roomWidth * minimum.height / minimum.width;
  if (height > roomHeight) {
    height = roomHeight;
    width = roomHeight * minimum.width / minimum.height;
  }
  if (width < minimum.width || height < minimum.height) return minimum;
  if (width > 2 * std::int64_t{minimum.width})
    return WindowSize{2 * minimum.width, 2 * minimum.height};
  return WindowSize{static_cast<int>(width), static_cast<int>(height)};
}

std::string WindowSizeText(WindowSize size) {
  return std::to_string(size.width) + "," + std::to_string(size.height);
}

WindowPlacement ReadWindowPlacement(const ProfileFile& file, WindowSize minimum,
                                    WindowSize available) {
  WindowPlacement placement;
  const std::optional<WindowSize> saved =
      ParseWindowSize(file.GetProfileString(kSection, kSizeKey, ""), minimum, available);
  placement.firstSize = !saved;
  placement.size = saved.value_or(FirstWindowSize(minimum, available));
  placement.maximized = file.GetProfileString(kSection, kMaximizedKey, "") == "1";
  return placement;
}

void SaveWindowPlacement(ProfileFile& file, const WindowPlacement& atStart,
                         const WindowPlacement& atEnd) {
  if (atEnd.size != atStart.size)
    (void)file.WriteProfileString(kSection, kSizeKey, WindowSizeText(atEnd.size));
  if (atEnd.maximized != atStart.maximized)
    (void)file.WriteProfileInt(kSection, kMaximizedKey, atEnd.maximized ? 1 : 0);
}

}  // namespace morvind
