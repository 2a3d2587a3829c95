#include "pdf/FieldFont.h"

#include <exception>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "pdf/DefaultAppearance.h"
#include "pdf/FontCoverage.h"
#include "pdf/PdfGate.h"
#include "pdf/SubsetFont.h"
#include "pdf/SubsetFontObject.h"

namespace morvind {
namespace {

using Object = QPDFObjectHandle;

// The key of the added font in the AcroForm's /DR /Font, with a number
// after it where a form already has one of that name.
constexpr std::string_view kFontKey = "MorvindSans";
// A font file larger than this is not a font Morvind should embed from.
constexpr std::uintmax_t kMostFontFileBytes = std::uintmax_t{32} << 20;

// A dictionary's entry, null for anything else (qpdf warns about a key
// asked of another object).
Object Key(Object dictionary, const std::string& key) {
  return dictionary.isDictionary() ? dictionary.getKey(key) : Object::newNull();
}

std::optional<std::string> ReadFontFile(const std::filesystem::path& file) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size == 0 || size > kMostFontFileBytes) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return std::nullopt;
  return bytes;
}

// The default appearance a field draws with: its own, else its nearest
// parent's, else the AcroForm's; empty when none has one.
std::string InheritedDefaultAppearance(Object field, Object acroForm) {
  for (int depth = 0; field.isDictionary() && depth <= kMaxFieldDepth; ++depth) {
    Object da = field.getKey("/DA");
    if (da.isString()) return da.getStringValue();
    field = field.getKey("/Parent");
  }
  Object da = Key(acroForm, "/DA");
  return da.isString() ? da.getStringValue() : std::string();
}

// A font resource of the field's own /DR, else of the AcroForm's.
Object FontResource(Object field, Object acroForm, const std::string& name) {
  for (Object holder : {field, acroForm}) {
    Object fonts = Key(Key(holder, "/DR"), "/Font");
    if (fonts.isDictionary() && fonts.hasKey("/" + name)) return fonts.getKey("/" + name);
  }
  return Object::newNull();
}

// The field's widgets that are objects of their own (kids without a name)
// and set a default appearance of their own.
std::vector<Object> WidgetsWithOwnAppearance(Object field) {
  std::vector<Object> widgets;
  Object kids = field.getKey("/Kids");
  if (!kids.isArray()) return widgets;
  for (Object kid : kids.aitems())
    if (kid.isDictionary() && !kid.hasKey("/T") && kid.getKey("/DA").isString())
      widgets.push_back(kid);
  return widgets;
}

// Whether the field and each of its widgets draw every character in their
// fonts; fonts met before are answered from `known`.
class Coverage {
 public:
  Coverage(Object acroForm, bool embeddedOnly)
      : acroForm_(std::move(acroForm)), embeddedOnly_(embeddedOnly) {}

  bool FieldShowsAll(const FieldCharacters& field) {
    if (!ShowsAll(field.field, InheritedDefaultAppearance(field.field, acroForm_),
                  field.characters))
      return false;
    for (Object widget : WidgetsWithOwnAppearance(field.field))
      if (!ShowsAll(field.field, widget.getKey("/DA").getStringValue(), field.characters))
        return false;
    return true;
  }

 private:
  bool ShowsAll(Object field, const std::string& appearance, const std::u32string& characters) {
    const std::optional<std::string> name = DefaultAppearanceFont(appearance);
    if (!name) return false;
    Object font = FontResource(field, acroForm_, *name);
    if (!font.isIndirect()) return FontShowsAll(font, characters, embeddedOnly_);
    const auto key = std::make_pair(font.getObjGen(), characters);
    const auto found = known_.find(key);
    if (found != known_.end()) return found->second;
    return known_[key] = FontShowsAll(font, characters, embeddedOnly_);
  }

  Object acroForm_;
  bool embeddedOnly_;
  std::map<std::pair<QPDFObjGen, std::u32string>, bool> known_;
};

// A key of the fonts dictionary that isn't taken yet.
std::string FreeKey(Object fonts) {
  std::string key(kFontKey);
  for (int n = 2; fonts.hasKey("/" + key); ++n) key = std::string(kFontKey) + std::to_string(n);
  return key;
}

}  // namespace

Object DefaultFonts(Object acroForm) {
  Object resources = acroForm.getKey("/DR");
  if (!resources.isDictionary()) {
    resources = Object::newDictionary();
    acroForm.replaceKey("/DR", resources);
  }
  Object fonts = resources.getKey("/Font");
  if (!fonts.isDictionary()) {
    fonts = Object::newDictionary();
    resources.replaceKey("/Font", fonts);
  }
  return fonts;
}

namespace {

void SwitchField(Object field, Object acroForm, const std::string& key) {
  // Set on the field itself, so that a parent's appearance, which other
  // fields may inherit, stays as it is.
  field.replaceKey("/DA", Object::newString(WithDefaultAppearanceFont(
                              InheritedDefaultAppearance(field, acroForm), key)));
  for (Object widget : WidgetsWithOwnAppearance(field))
    widget.replaceKey("/DA", Object::newString(WithDefaultAppearanceFont(
                                 widget.getKey("/DA").getStringValue(), key)));
}

}  // namespace

bool EnsureFieldFonts(QPDF& pdf, const std::vector<FieldCharacters>& fields,
                      const std::filesystem::path& fontFile, bool embeddedOnly) {
  try {
    Object acroForm = pdf.getRoot().getKey("/AcroForm");
    Coverage coverage(acroForm, embeddedOnly);
    std::vector<Object> switching;
    std::set<char32_t> needed;
    for (const FieldCharacters& field : fields) {
      Object dictionary = field.field;
      if (!dictionary.isDictionary() || coverage.FieldShowsAll(field)) continue;
      switching.push_back(dictionary);
      for (char32_t c : field.characters)
        if (IsDrawnCharacter(c)) needed.insert(c);
    }
    if (switching.empty()) return true;
    if (!acroForm.isDictionary()) return false;

    const std::optional<std::string> bytes = ReadFontFile(fontFile);
    if (!bytes) return false;
    const std::optional<SubsetFont> subset =
        MakeSubsetFont(*bytes, std::u32string(needed.begin(), needed.end()));
    if (!subset || subset->glyphs.empty()) return false;

    Object fonts = DefaultFonts(acroForm);
    const std::string key = FreeKey(fonts);
    fonts.replaceKey("/" + key, AddSubsetFontObject(pdf, *subset));
    for (Object field : switching) SwitchField(field, acroForm, key);
    return true;
  } catch (const std::exception&) {
    // qpdf throws on objects it can't read; the fields stay as they were
    // read up to here.
    return false;
  }
}

}  // namespace morvind
