#include "printing/DrawingSurface.h"

#include <cstdint>

namespace morvind {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t half = (c < 0 ? -c : c) / 2;
  // Round halves away from zero, as the platform's MulDiv does.
  bool negative = (product < 0) != (c < 0);
  std::int64_t magnitude = (product < 0 ? -product : product) + half;
  std::int64_t quotient = magnitude / (c < 0 ? -c : c);
  return static_cast<int>(negative ? -quotient : quotient);
}

int PointFontHeight(int tenths, int unitsPerInchY) {
  return -(tenths * unitsPerInchY / 720);
}

SurfaceObject DrawingSurface::CreatePointFontIndirect(const PointFontRecord& font) {
  FontRecord record;
  record.height = PointFontHeight(font.tenthsOfPoint, GetDeviceCaps(kLogPixelsY));
  record.weight = font.weight;
  record.charset = font.charset;
  record.pitchAndFamily = font.pitchAndFamily;
  record.face = font.face;
  return CreateFont(record);
}

SurfaceObject DrawingSurface::CreatePointFont(int tenthsOfPoint, std::string_view face) {
  PointFontRecord font;
  font.tenthsOfPoint = tenthsOfPoint;
  font.weight = 400;  // no weight asked for: the platform makes it normal
  font.charset = 1;   // the default character set
  font.face = std::string(face);
  return CreatePointFontIndirect(font);
}

}  // namespace morvind
