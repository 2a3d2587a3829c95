#include <gtest/gtest.h>

#include <map>
#include <qpdf/QPDF.hh>
#include <regex>
#include <string>
#include <vector>

#include "core/ScratchFolder.h"
#include "pdf/FieldFont.h"
#include "support/FillableFormWriter.h"

namespace morvind::test {
namespace {

using Object = QPDFObjectHandle;
const std::filesystem::path kFont{std::string(kLiberationSansFile)};

// The test form with its embedded ASCII subset font (/LiSu), Helvetica
// with /WinAnsiEncoding (/Helv) and /StandardEncoding (/HeSt), and further
// fonts of other kinds beside them in the AcroForm's /DR.
struct Form {
  std::string bytes;
  QPDF pdf;
  Object fonts;
  Form() {
    FillableFormOptions options;
    options.fieldFont = FillableFormOptions::FieldFont::kEmbeddedSubset;
    bytes = FillableFormPdf(options);
    pdf.processMemoryFile("form", bytes.data(), bytes.size());
    fonts = Fonts();
    auto add = [&](const std::string& key, Object font) {
      fonts.replaceKey(key, pdf.makeIndirectObject(font));
    };
    add("/TiMR", Object::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman "
                               "/Encoding /MacRomanEncoding >>"));
    add("/Diff", Object::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding "
                               "<< /BaseEncoding /StandardEncoding /Differences "
                               "[200 /udieresis /uni0416 /uni0430 /uni043D] >> >>"));
    add("/Symb", Object::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Symbol >>"));
    Object type1 = Object::parse(
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding "
        "/FontDescriptor << /Type /FontDescriptor /Flags 32 >> >>");
    type1.getKey("/FontDescriptor")
        .replaceKey("/FontFile", Object::newStream(&pdf, "%!PS-AdobeFont-1.0: Helvetica"));
    add("/HeT1", type1);
  }
  Object Fonts() { return pdf.getRoot().getKey("/AcroForm").getKey("/DR").getKey("/Font"); }
  // A text field with the default appearance `da` ("" for none).
  Object Field(const std::string& da, Object parent = Object::newNull()) {
    Object field = Object::parse("<< /FT /Tx /T (f) >>");
    if (!da.empty()) field.replaceKey("/DA", Object::newString(da));
    if (!parent.isNull()) field.replaceKey("/Parent", parent);
    return pdf.makeIndirectObject(field);
  }
};

std::string Da(Object object) {
  return object.getKey("/DA").isString() ? object.getKey("/DA").getStringValue() : "";
}

TEST(FieldFontTest, AFieldWhoseFontLacksACharacterDrawsInTheAddedFont) {
  Form form;
  // A font Morvind added before, for these characters only: a form made
  // from a filled record carries it.
  Object earlier = form.Field("/HeSt 9 Tf 0 g");
  ASSERT_TRUE(EnsureFieldFonts(form.pdf, {{earlier, U"Müller, Jürgen 0123456789."}}, kFont));
  ASSERT_EQ(Da(earlier), "/MorvindSans 9 Tf 0 g");

  const std::u32string sets[] = {U"0123456789.", U"Müller, Jürgen", U"Łukasz", U"Жанна"};
  Object parent = form.pdf.makeIndirectObject(Object::parse("<< /DA (/HeSt 9 Tf 0 g) >>"));
  const struct {
    const char* font;
    std::string da;  // the field's own
    bool inherits;   // the /DA of `parent`
    std::string widgetDa;
    const char* switched;  // for each set: "y" switched, "." not
    std::string daSwitched;
  } cases[] = {
      {"Helvetica, WinAnsiEncoding", "/Helv 9 Tf 0 g", false, "", "..yy", "/New 9 Tf 0 g"},
      {"Helvetica, StandardEncoding (has Ł)", "/HeSt 9 Tf 0 g", false, "", ".y.y", "/New 9 Tf 0 g"},
      {"Times, MacRomanEncoding", "/TiMR 12 Tf 0 g", false, "", "..yy", "/New 12 Tf 0 g"},
      {"/Differences with uniXXXX names", "/Diff 9 Tf 0 g", false, "", "....", ""},
      {"Symbol", "/Symb 9 Tf 0 g", false, "", "yyyy", "/New 9 Tf 0 g"},
      {"embedded TrueType subset of ASCII", "/LiSu 9 Tf 0 g", false, "", ".yyy", "/New 9 Tf 0 g"},
      {"Morvind's Type0 for „Müller, Jürgen 0123456789.“", "/MorvindSans 9 Tf 0 g", false, "",
       "..yy", "/New 9 Tf 0 g"},
      {"an embedded Type1 program", "/HeT1 9 Tf 0 g", false, "", "yyyy", "/New 9 Tf 0 g"},
      {"a name missing from /DR", "/Gone 9 Tf 0.5 g", false, "", "yyyy", "/New 9 Tf 0.5 g"},
      {"no font in /DA", "1 0 0 rg", false, "", "yyyy", "/New 0 Tf 1 0 0 rg"},
      {"StandardEncoding from the parent", "", true, "", ".y.y", "/New 9 Tf 0 g"},
      {"WinAnsiEncoding from the AcroForm", "", false, "", "..yy", "/New 0 Tf 0 g"},
      {"a widget in StandardEncoding", "/Helv 9 Tf 0 g", false, "/HeSt 8 Tf 0 0 1 rg", ".yyy",
       "/New 9 Tf 0 g"},
  };
  std::vector<FieldCharacters> fields;
  for (const auto& c : cases) {
    for (const std::u32string& set : sets) {
      Object field = form.Field(c.da, c.inherits ? parent : Object::newNull());
      if (!c.widgetDa.empty()) {
        Object kids = Object::newArray();
        kids.appendItem(form.pdf.makeIndirectObject(
            Object::parse("<< /Type /Annot /Subtype /Widget /DA (" + c.widgetDa + ") >>")));
        field.replaceKey("/Kids", kids);
      }
      fields.push_back({field, set});
    }
  }
  ASSERT_TRUE(EnsureFieldFonts(form.pdf, fields, kFont));
  std::size_t i = 0;
  for (const auto& c : cases) {
    for (int s = 0; s < 4; ++s, ++i) {
      Object field = fields[i].field;
      const bool switched = c.switched[s] == 'y';
      const std::string newKey = "/MorvindSans2 ";
      EXPECT_EQ(Da(field),
                switched ? std::regex_replace(c.daSwitched, std::regex("/New "), newKey) : c.da)
          << c.font << ", set " << s;
      if (!c.widgetDa.empty()) {
        EXPECT_EQ(Da(field.getKey("/Kids").getArrayItem(0)),
                  switched ? newKey + "8 Tf 0 0 1 rg" : c.widgetDa)
            << c.font << ", set " << s;
      }
    }
  }
  EXPECT_EQ(Da(parent), "/HeSt 9 Tf 0 g");  // other fields may inherit it
}

TEST(FieldFontTest, TheFontIsAddedOnceWhereNeededAndOnlyFromAFontFileThatServes) {
  ScratchFolder folder("field-font");
  WriteBytes(folder / "not-a-font.ttf", FillableFormPdf());
  const struct {
    std::u32string characters;
    std::filesystem::path file;
    bool ok, added;
    bool embeddedOnly = false;
  } cases[] = {
      {U"Müller", kFont, true, true},
      {U"Mueller 12.5", kFont, true, false},       // StandardEncoding has them all
      {U"Mueller 12.5", kFont, true, true, true},  // but Helvetica is not embedded
      {U"\U0001F600\n", kFont, true, false},       // no form's font shows them
      {U"Müller", folder / "gone.ttf", false, false},
      {U"Müller", folder / "not-a-font.ttf", false, false},
  };
  std::map<std::u32string, std::string> names;
  for (const auto& c : cases) {
    Form form;
    Object first = form.Field("/HeSt 9 Tf 0 g"), second = form.Field("/HeSt 9 Tf 0 g");
    EXPECT_EQ(EnsureFieldFonts(form.pdf, {{first, c.characters}, {second, c.characters}}, c.file,
                               c.embeddedOnly),
              c.ok);
    Object added = form.Fonts().getKey("/MorvindSans");
    EXPECT_EQ(added.isDictionary(), c.added);
    EXPECT_EQ(form.Fonts().hasKey("/MorvindSans2"), false);
    EXPECT_EQ(Da(first), c.added ? "/MorvindSans 9 Tf 0 g" : "/HeSt 9 Tf 0 g");
    if (!c.added) continue;
    // Named with a subset tag that the same characters always give.
    const std::string base = added.getKey("/BaseFont").getName();
    EXPECT_TRUE(std::regex_match(base, std::regex("/[A-Z]{6}\\+LiberationSans"))) << base;
    if (!names[c.characters].empty()) {
      EXPECT_EQ(base, names[c.characters]);
    }
    names[c.characters] = base;
  }
}

}  // namespace
}  // namespace morvind::test
