#include "pdf/SubsetFont.h"

#include <hb-ot.h>
#include <hb-subset.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

namespace morvind {
namespace {

template <typename T, void (*Destroy)(T*)>
struct Deleter {
  void operator()(T* object) const { Destroy(object); }
};
using Blob = std::unique_ptr<hb_blob_t, Deleter<hb_blob_t, hb_blob_destroy>>;
using Face = std::unique_ptr<hb_face_t, Deleter<hb_face_t, hb_face_destroy>>;
using Font = std::unique_ptr<hb_font_t, Deleter<hb_font_t, hb_font_destroy>>;
using Input =
    std::unique_ptr<hb_subset_input_t, Deleter<hb_subset_input_t, hb_subset_input_destroy>>;

// Tables a form field's text doesn't use: the layout tables (Poppler draws
// a field glyph by glyph, unshaped) and those that only serve hinting or
// font managers.
constexpr hb_tag_t kDroppedTables[] = {
    HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
    HB_TAG('k', 'e', 'r', 'n'), HB_TAG('B', 'A', 'S', 'E'), HB_TAG('J', 'S', 'T', 'F'),
    HB_TAG('D', 'S', 'I', 'G'), HB_TAG('g', 'a', 's', 'p'), HB_TAG('h', 'd', 'm', 'x'),
    HB_TAG('V', 'D', 'M', 'X'), HB_TAG('L', 'T', 'S', 'H'), HB_TAG('m', 'e', 't', 'a'),
};

// A big-endian 16-bit value of a table, signed.
int Int16(const char* data, unsigned offset) {
  return static_cast<std::int16_t>(static_cast<unsigned char>(data[offset]) << 8 |
                                   static_cast<unsigned char>(data[offset + 1]));
}

Face FaceOf(const char* data, std::size_t size) {
  Blob blob(hb_blob_create_or_fail(data, static_cast<unsigned>(size), HB_MEMORY_MODE_READONLY,
                                   nullptr, nullptr));
  if (!blob) return nullptr;
  Face face(hb_face_create(blob.get(), 0));
  if (hb_face_get_glyph_count(face.get()) == 0) return nullptr;
  return face;
}

// The font's bounding box from its 'head' table, in 1/1000 em.
bool ReadBoundingBox(hb_face_t* face, SubsetFont& out) {
  Blob head(hb_face_reference_table(face, HB_TAG('h', 'e', 'a', 'd')));
  unsigned length = 0;
  const char* data = hb_blob_get_data(head.get(), &length);
  if (length < 54) return false;
  const int unitsPerEm = Int16(data, 18) & 0xFFFF;
  if (unitsPerEm == 0) return false;
  auto scaled = [&](unsigned offset) {
    return static_cast<int>(std::lround(Int16(data, offset) * 1000.0 / unitsPerEm));
  };
  out.left = scaled(36);
  out.bottom = scaled(38);
  out.right = scaled(40);
  out.top = scaled(42);
  return true;
}

}  // namespace

std::optional<SubsetFont> MakeSubsetFont(std::string_view font, const std::u32string& characters) {
  const Face face = FaceOf(font.data(), font.size());
  if (!face) return std::nullopt;
  Input input(hb_subset_input_create_or_fail());
  if (!input) return std::nullopt;
  hb_set_t* unicodes = hb_subset_input_unicode_set(input.get());
  for (char32_t c : characters) hb_set_add(unicodes, c);
  hb_set_t* dropped = hb_subset_input_set(input.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
  for (hb_tag_t tag : kDroppedTables) hb_set_add(dropped, tag);
  hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_NO_HINTING);
  const Face subset(hb_subset_or_fail(face.get(), input.get()));
  if (!subset) return std::nullopt;

  SubsetFont out;
  const Blob program(hb_face_reference_blob(subset.get()));
  unsigned length = 0;
  const char* data = hb_blob_get_data(program.get(), &length);
  if (length == 0) return std::nullopt;
  out.program.assign(data, length);

  // The glyphs and widths as the subset itself gives them, read back from
  // its own bytes: what a PDF reader will see.
  const Face embedded = FaceOf(out.program.data(), out.program.size());
  if (!embedded) return std::nullopt;
  const Font sized(hb_font_create(embedded.get()));
  hb_font_set_scale(sized.get(), 1000, 1000);
  for (char32_t c : std::set<char32_t>(characters.begin(), characters.end())) {
    hb_codepoint_t glyph = 0;
    if (!hb_font_get_nominal_glyph(sized.get(), c, &glyph) || glyph == 0) continue;
    out.glyphs.push_back({c, glyph, hb_font_get_glyph_h_advance(sized.get(), glyph)});
  }

  if (!ReadBoundingBox(face.get(), out)) return std::nullopt;
  const Font whole(hb_font_create(face.get()));
  hb_font_set_scale(whole.get(), 1000, 1000);
  hb_position_t position = 0;
  if (hb_ot_metrics_get_position(whole.get(), HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &position))
    out.ascent = position;
  if (hb_ot_metrics_get_position(whole.get(), HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &position))
    out.descent = position;
  if (hb_ot_metrics_get_position(whole.get(), HB_OT_METRICS_TAG_CAP_HEIGHT, &position))
    out.capHeight = position;
  out.italicAngle = hb_style_get_value(whole.get(), HB_STYLE_TAG_SLANT_ANGLE);
  // Fonts don't record a stem width; this is the usual estimate from the
  // weight class (400 gives about 95, 700 about 170).
  const float weight = hb_style_get_value(whole.get(), HB_STYLE_TAG_WEIGHT);
  out.stemV = static_cast<int>(std::lround(10 + 220 * (weight - 50) / 900));
  // A monospaced font has one advance for every glyph.
  hb_codepoint_t a = 0, i = 0;
  out.fixedPitch =
      hb_font_get_nominal_glyph(whole.get(), 'a', &a) &&
      hb_font_get_nominal_glyph(whole.get(), 'i', &i) &&
      hb_font_get_glyph_h_advance(whole.get(), a) == hb_font_get_glyph_h_advance(whole.get(), i);

  char name[64] = {};
  unsigned size = sizeof name;
  hb_ot_name_get_utf8(face.get(), HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &size, name);
  out.postScriptName = name;
  return out;
}

}  // namespace morvind
