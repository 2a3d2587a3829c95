#include "support/FillableFormWriter.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "pdf/SubsetFont.h"
#include "printing/OfficialFormFields.h"
#include "printing/SheetLayout.h"

namespace morvind::test {
namespace {

namespace s = sheet;
using Fault = FillableFormOptions::Fault;
using FieldFont = FillableFormOptions::FieldFont;
using Edition = FillableFormOptions::Edition;

constexpr int kBox = 12;  // a tick box's side
constexpr int kDeepTree = 10000;
constexpr int kManyWidgets = 5000;
constexpr std::string_view kTotal = "904_32_S21_Value";
// Objects whose numbers others name before they are written.
enum : int { kCatalog = 1, kPages, kFirstPage, kSecondPage, kAcroForm, kInfo, kParents };

// A rectangle of the drawn sheet, in hundredths of an inch from its top
// left corner.
struct Rect {
  int left, top, right, bottom;
};

class Writer {
 public:
  explicit Writer(const FillableFormOptions& options);
  std::string Pdf();

 private:
  // The sheet's positions placed on an A4 page of 595 x 842 points.
  static std::string X(int h) { return Number(45 + h * 0.72); }
  static std::string Y(int h) { return Number(782 - h * 0.72); }
  static std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f ", value);
    return text;
  }
  static std::string Ref(int object) { return std::to_string(object) + " 0 R "; }
  // A literal string in Latin-1, which /WinAnsiEncoding and PDFDocEncoding
  // share for the labels' letters.
  static std::string Literal(std::string_view utf8) {
    std::string out = "(";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      unsigned char c = static_cast<unsigned char>(utf8[i]);
      if (c >= 0xC0 && i + 1 < utf8.size())
        c = static_cast<unsigned char>(((c & 0x1F) << 6) | (utf8[++i] & 0x3F));
      if (c == '(' || c == ')' || c == '\\') out += '\\';
      out += static_cast<char>(c);
    }
    return out + ")";
  }
  // A field's name as the options write it: Latin-1, or UTF-16 in
  // hexadecimal after its byte order mark.
  std::string Name(std::string_view utf8) const {
    if (!options_.utf16Names) return Literal(utf8);
    std::string out = "<FEFF";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      unsigned c = static_cast<unsigned char>(utf8[i]);
      if (c >= 0xE0 && i + 2 < utf8.size()) {
        c = (c & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F);
        i += 2;
      } else if (c >= 0xC0 && i + 1 < utf8.size()) {
        c = (c & 0x1F) << 6 | (utf8[++i] & 0x3F);
      }
      char unit[8];
      std::snprintf(unit, sizeof unit, "%04X", c);
      out += unit;
    }
    return out + ">";
  }
  int Add(std::string body) {
    objects_.push_back(std::move(body));
    return static_cast<int>(objects_.size());
  }
  int AddStream(const std::string& dictionary, const std::string& data) {
    return Add("<< " + dictionary + " /Length " + std::to_string(data.size()) + " >>\nstream\n" +
               data + "\nendstream");
  }
  // Labels (bold above 8 points) with `top` the top of the line, rules, boxes.
  void Text(int page, int x, int top, std::string_view text, int size = 8) {
    content_[page] += "BT /F" + std::string(size > 8 ? "2 " : "1 ") + Number(size) + "Tf " + X(x) +
                      Number(782 - top * 0.72 - size * 0.8) + "Td " + Literal(text) + " Tj ET\n";
  }
  void Line(int page, int x1, int y1, int x2, int y2) {
    content_[page] += X(x1) + Y(y1) + "m " + X(x2) + Y(y2) + "l S\n";
  }
  void Box(int page, int left, int top) {
    content_[page] +=
        X(left) + Y(top + kBox) + Number(kBox * 0.72) + Number(kBox * 0.72) + "re S\n";
  }
  // A field of the table, of the table's kind unless the fault says other.
  void TableField(const std::string& name11, const Rect& rect, int page = 0, int parent = 0) {
    const std::string name = EditionName(name11);
    bool box = false;
    for (const FormFieldSpec& entry : OfficialFormFieldTable())
      if (entry.name == name) box = entry.kind == FormFieldKind::kCheckBox;
    if (name == options_.field && options_.fault == Fault::kMissingField) return;
    if (name == options_.field && options_.fault == Fault::kWrongKind) box = !box;
    Widget(name, box, rect, page, parent, options_.filledTemplate ? OldValue(name, box) : "");
  }
  int AddEmbeddedFont();
  // A name of the 11/23 edition in the edition written.
  std::string EditionName(const std::string& name) const;
  // What a field of the table holds in a form made from a filled record.
  static std::string OldValue(const std::string& name, bool box);
  // The appearance stream of a text field showing `value`.
  std::string TextAppearance(std::string_view font, int size, const Rect& rect,
                             std::string_view value);
  void Tick(const std::string& name, int left, int top) {
    Box(0, left, top);
    TableField(name, {left, top, left + kBox, top + kBox});
  }
  // A box is ticked when `value` is not empty.
  void Widget(const std::string& name, bool box, const Rect& rect, int page, int parent,
              std::string_view value);
  void DrawPages();

  const FillableFormOptions& options_;
  std::vector<std::string> objects_;
  std::string content_[2], annots_[2], topFields_, kids_[2], calculated_;
  int helv_ = 0, standard_ = 0, bold_ = 0, zapf_ = 0, boxOn_ = 0, boxOff_ = 0;
  int embedded_ = 0;  // FieldFont::kEmbeddedSubset
};

// The key of the embedded subset font in the AcroForm's /DR.
constexpr std::string_view kEmbeddedKey = "LiSu";

Writer::Writer(const FillableFormOptions& options) : options_(options) {
  objects_.resize(kParents + 1);  // the fixed objects, written last
  auto font = [&](const std::string& name, const std::string& encoding) {
    return Add("<< /Type /Font /Subtype /Type1 /BaseFont /" + name + encoding + " >>");
  };
  helv_ = font("Helvetica", " /Encoding /WinAnsiEncoding");
  standard_ = font("Helvetica", " /Encoding /StandardEncoding");
  bold_ = font("Helvetica-Bold", " /Encoding /WinAnsiEncoding");
  zapf_ = font("ZapfDingbats", "");
  if (options_.substituteFonts && options_.fieldFont == FieldFont::kEmbeddedSubset)
    embedded_ = AddEmbeddedFont();
  const std::string form =
      "/Type /XObject /Subtype /Form /BBox [0 0 " + Number(kBox * 0.72) + Number(kBox * 0.72) + "]";
  const std::string side = Number(kBox * 0.72 - 1.5);
  boxOn_ = AddStream(
      form, "0 G 1 w 1.5 1.5 m " + side + side + "l S 1.5 " + side + "m " + side + "1.5 l S");
  boxOff_ = AddStream(form, "");
}

// Printable ASCII of Liberation Sans as a simple TrueType font with
// /WinAnsiEncoding, as a form made with the font embedded for its labels
// carries it: no "ü", no "¾".
int Writer::AddEmbeddedFont() {
  std::ifstream in{std::string(kLiberationSansFile), std::ios::binary};
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::u32string ascii;
  for (char32_t c = 0x20; c < 0x7F; ++c) ascii += c;
  const std::optional<SubsetFont> font = MakeSubsetFont(file, ascii);
  if (!font) return Add("<< /Type /Font /Subtype /TrueType /BaseFont /LiberationSans >>");
  const std::string name = "/" + SubsetTag(ascii) + "+" + font->postScriptName;
  const int program = AddStream("/Length1 " + std::to_string(font->program.size()), font->program);
  const int descriptor =
      Add("<< /Type /FontDescriptor /FontName " + name + " /Flags 32 /FontBBox [" +
          Number(font->left) + Number(font->bottom) + Number(font->right) + Number(font->top) +
          "] /ItalicAngle 0 /Ascent " + Number(font->ascent) + "/Descent " + Number(font->descent) +
          "/CapHeight " + Number(font->capHeight) + "/StemV " + Number(font->stemV) +
          "/FontFile2 " + Ref(program) + ">>");
  std::string widths;
  for (const SubsetGlyph& glyph : font->glyphs) widths += std::to_string(glyph.width) + " ";
  return Add("<< /Type /Font /Subtype /TrueType /BaseFont " + name +
             " /FirstChar 32 /LastChar 126 /Widths [" + widths +
             "] /Encoding /WinAnsiEncoding /FontDescriptor " + Ref(descriptor) + ">>");
}

void Writer::Widget(const std::string& name, bool box, const Rect& rect, int page, int parent,
                    std::string_view value) {
  std::string body = "<< /Type /Annot /Subtype /Widget /F 4 /P " + Ref(kFirstPage + page) +
                     "/Rect [" + X(rect.left) + Y(rect.bottom) + X(rect.right) + Y(rect.top) +
                     "] /T " + Name(name);
  if (parent) body += " /Parent " + Ref(parent);
  if (box) {
    const std::string on = "/" + std::string(options_.yesState ? "Yes" : kTestFormOnState);
    const std::string state = value.empty() ? "/Off" : on;
    body += " /FT /Btn /V " + state + " /AS " + state +
            " /DA (/ZaDb 0 Tf 0 g) /MK << /CA (4) >> /AP << /N << " + on + " " + Ref(boxOn_) +
            "/Off " + Ref(boxOff_) + ">> >>";
  } else {
    // Names, hours and remarks hold "ü" and "¾" as the sheet writes them.
    const bool remark = name.rfind("905_", 0) == 0;
    const bool standard = options_.substituteFonts &&
                          options_.fault != Fault::kNoDefaultResources &&
                          (remark || name.rfind("900_1_", 0) == 0 || name.rfind("904_", 0) == 0);
    const std::string font = !standard                                             ? "Helv"
                             : options_.fieldFont == FieldFont::kHelveticaStandard ? "HeSt"
                             : options_.fieldFont == FieldFont::kEmbeddedSubset
                                 ? std::string(kEmbeddedKey)
                                 : "Helv";
    body +=
        " /FT /Tx /V " + Literal(value) + " /DA (/" + font + (remark ? " 0" : " 9") + " Tf 0 g)";
    if (options_.filledTemplate && !value.empty())
      body += " /AP << /N " + TextAppearance(font, 9, rect, value) + ">>";
    if (name.find("Text_C") != std::string::npos) body += " /Q 1";
    if (name.find("S21_Value") != std::string::npos) body += " /Q 2";
    if (name == kTestFormLimitedField) body += " /MaxLen " + std::to_string(kTestFormLimitedLength);
    std::string actions;
    const bool hours = name.rfind("904_", 0) == 0 && name.find("S21_Value") != std::string::npos;
    if (name == kTestFormFormattedField || (options_.formatAllHours && hours))
      actions += "/F << /S /JavaScript /JS " + Literal("AFNumber_Format(2, 0, 0, 0, \"\", true);") +
                 " >> ";
    if (name == kTotal) {
      std::string sum;
      for (int r = 20; r <= 31; ++r) sum += "\"904_" + std::to_string(r) + "_S21_Value\",";
      sum.pop_back();
      actions += "/C << /S /JavaScript /JS " +
                 Literal("AFSimple_Calculate(\"SUM\", new Array(" + sum + "));") + " >> ";
    }
    if (!actions.empty()) body += " /AA << " + actions + ">>";
  }
  const bool faulty = name == options_.field;
  const int self = static_cast<int>(objects_.size()) + 1;
  if (faulty && options_.fault == Fault::kOwnParent) body += " /Parent " + Ref(self);
  if (faulty && options_.fault == Fault::kDeepTree) body += " /Parent " + Ref(self + kDeepTree);
  const std::string ref = Ref(Add(body + " >>"));
  annots_[page] += ref;
  if (faulty && options_.fault == Fault::kDeepTree) {
    // Field i of the chain is object self + i, the widget below the last.
    for (int i = 1; i <= kDeepTree; ++i)
      Add("<< /Kids [" + Ref(i == kDeepTree ? self : self + i + 1) + "]" +
          (i > 1 ? " /Parent " + Ref(self + i - 1) : "") + " >>");
    topFields_ += Ref(self + 1);
  } else {
    (parent ? kids_[parent - kParents] : topFields_) += ref;
  }
  if (faulty && options_.fault == Fault::kManyWidgets) {
    for (int i = 1; i < kManyWidgets; ++i) {
      const std::string other = Ref(Add(body + " >>"));
      annots_[page] += other;
      topFields_ += other;
    }
  }
  if (name == kTotal) calculated_ = ref;
}

std::string Writer::EditionName(const std::string& name) const {
  if (options_.edition == Edition::k1123) return name;
  // The header's texts without the font in their names; the boxes alike.
  if (name.rfind("900_", 0) == 0) {
    if (name.find("CheckBox") != std::string::npos) return name;
    return name.substr(0, name.find("_Text") + 5);
  }
  // Rows 20 (September) … 32 (the total) become 1 … 13, every cell a text.
  const std::string column = name.substr(0, 3);
  const std::string row = std::to_string(std::stoi(name.substr(4, 2)) - 19);
  return column + "_" + row + (column == "905" ? "_Text" : "_S21_Value");
}

std::string Writer::OldValue(const std::string& name, bool box) {
  if (box) {
    // The first box of the header, and the odd months'.
    const int row = name.rfind("900_", 0) == 0 ? 0 : std::stoi(name.substr(4, 2));
    return name == "900_3_CheckBox" || row % 2 == 1 ? "on" : "";
  }
  if (name.rfind("900_1_", 0) == 0) return std::string(kTestFormOldName);
  if (name.find("S21_Value") != std::string::npos || name.find("Text_C") != std::string::npos)
    return std::string(kTestFormOldNumber);
  return std::string(kTestFormOldText);
}

std::string Writer::TextAppearance(std::string_view font, int size, const Rect& rect,
                                   std::string_view value) {
  const int object = font == "HeSt" ? standard_ : font == kEmbeddedKey ? embedded_ : helv_;
  const std::string width = Number((rect.right - rect.left) * 0.72);
  const std::string height = Number((rect.bottom - rect.top) * 0.72);
  return Ref(AddStream("/Type /XObject /Subtype /Form /BBox [0 0 " + width + height +
                           "] /Resources << /Font << /" + std::string(font) + " " + Ref(object) +
                           ">> >>",
                       "/Tx BMC q BT /" + std::string(font) + " " + std::to_string(size) +
                           " Tf 0 g 2 " + Number((rect.bottom - rect.top) * 0.72 / 2 - 3) + "Td " +
                           Literal(value) + " Tj ET Q EMC"));
}

void Writer::DrawPages() {
  Text(0, 0, s::kTitleTop, "BERICHTSKARTE DES VERKÜNDIGERS (TESTFORMULAR)", 12);
  // The header: labels with rules and fields on them, then tick boxes.
  const struct {
    int top, start, end;
    const char* label;
    const char* field;
  } lines[] = {{s::kNameTop, 40, s::kWidth, "Name:", "900_1_Text_SanSerif"},
               {s::kBirthTop, 85, s::kDateRuleEnd, "Geburtsdatum:", "900_2_Text_SanSerif"},
               {s::kBaptismTop, 70, s::kDateRuleEnd, "Taufdatum:", "900_5_Text_SanSerif"}};
  for (const auto& line : lines) {
    Text(0, 0, line.top, line.label);
    Line(0, line.start, line.top + s::kRuleDrop, line.end, line.top + s::kRuleDrop);
    TableField(line.field, {line.start, line.top - 8, line.end, line.top + s::kRuleDrop}, 0,
               line.top == s::kNameTop ? kParents : 0);
  }
  const struct {
    int x, top;
    const char* label;
  } ticks[] = {{s::kMaleX, s::kBirthTop, "Männlich"},
               {s::kFemaleX, s::kBirthTop, "Weiblich"},
               {s::kMaleX, s::kBaptismTop, "Andere Schafe"},
               {s::kFemaleX, s::kBaptismTop, "Gesalbt"},
               {s::kElderX, s::kRolesTop, "Ältester"},
               {s::kServantX, s::kRolesTop, "Dienstamtgehilfe"},
               {s::kRegularPioneerX, s::kRolesTop, "Allgemeiner Pionier"},
               {s::kSpecialPioneerX, s::kRolesTop, "Sonderpionier"},
               {s::kFieldMissionaryX, s::kRolesTop, "Missionar im Gebietsdienst"}};
  int number = 3;
  for (const auto& tick : ticks) {
    Text(0, tick.x, tick.top, tick.label);
    Tick("900_" + std::to_string(number) + "_CheckBox", tick.x - s::kBoxGap - kBox, tick.top - 2);
    number += number == 4 ? 2 : 1;  // 900_5 is the date of baptism
  }

  // The table: headings, the service year, twelve months and the total.
  const s::Column columns[] = {s::kServiceYearColumn, s::kSharedColumn, s::kStudiesColumn,
                               s::kAuxiliaryColumn,   s::kHoursColumn,  s::kRemarksColumn};
  const char* headings[] = {"Dienstjahr",
                            "Im Dienst\nbeteiligt",
                            "Bibel-\nstudien",
                            "Hilfs-\npionier",
                            "Stunden (als\nPionier oder\nMissionar)",
                            "Bemerkungen"};
  for (int c = 0; c < 6; ++c) {
    std::string_view heading = headings[c];
    for (int top = s::kTableTop + s::kHeadingLineTop;; top += s::kHeadingLineHeight) {
      const std::size_t end = heading.find('\n');
      Text(0, columns[c].left + s::kCellInset, top, heading.substr(0, end));
      if (end == std::string_view::npos) break;
      heading.remove_prefix(end + 1);
    }
    Line(0, columns[c].left, s::kTableTop, columns[c].left, s::kTableBottom);
  }
  Line(0, s::kWidth, s::kTableTop, s::kWidth, s::kTableBottom);
  Line(0, 0, s::kTableTop, s::kWidth, s::kTableTop);
  TableField("900_13_Text_C_SanSerif",
             {10, s::kTableTop + s::kServiceYearTop, 100, s::kTableTop + 42});
  const char* months[] = {"September", "Oktober", "November", "Dezember", "Januar", "Februar",
                          "März",      "April",   "Mai",      "Juni",     "Juli",   "August"};
  for (int i = 0; i <= 12; ++i) {
    const int top = s::kFirstRowTop + i * s::kRowHeight;
    Line(0, 0, top + s::kRowHeight, s::kWidth, top + s::kRowHeight);
    Text(0, s::kCellInset, top + s::kRowLabelTop, i < 12 ? months[i] : "Gesamt", i < 12 ? 8 : 9);
    auto cell = [&](const std::string& name, const s::Column& column) {
      TableField(name, {column.left + 3, top + 4, column.Right() - 3, top + s::kRowHeight - 4});
    };
    auto tick = [&](const std::string& name, const s::Column& column) {
      Tick(name, column.left + column.width / 2 - kBox / 2, top + (s::kRowHeight - kBox) / 2);
    };
    if (i == 12) {
      cell(std::string(kTotal), s::kHoursColumn);
      if (options_.remarksTotal) cell("905_32_Text_SanSerif", s::kRemarksColumn);
      break;
    }
    Line(0, 0, top, s::kWidth, top);
    const std::string r = "_" + std::to_string(20 + i) + "_";
    tick("901" + r + "CheckBox", s::kSharedColumn);
    cell("902" + r + "Text_C_SanSerif", s::kStudiesColumn);
    tick("903" + r + "CheckBox", s::kAuxiliaryColumn);
    cell("904" + r + "S21_Value", s::kHoursColumn);
    cell("905" + r + "Text_SanSerif", s::kRemarksColumn);
  }
  Text(0, 0, s::kFormIdTop,
       options_.edition == Edition::k1123 ? "S-21-X 11/23 Testformular, kein amtliches Formular"
                                          : "S-21-X 12/18 Testformular, kein amtliches Formular",
       7);
  if (options_.onePage) return;

  // The back: the name again, and fields of the form's own, filled in.
  Text(1, 0, s::kTitleTop, "RÜCKSEITE (TESTFORMULAR)", 12);
  Text(1, 0, s::kNameTop, "Name:");
  TableField("900_1_Text_SanSerif", {40, s::kNameTop - 8, s::kWidth, s::kNameTop + s::kRuleDrop}, 1,
             kParents + 1);
  Text(1, 0, s::kBirthTop, "Notiz:");
  Widget(std::string(kTestFormNoteField), false,
         {40, s::kBirthTop - 8, s::kWidth, s::kBirthTop + s::kRuleDrop}, 1, 0, kTestFormNoteText);
  Box(1, 40, s::kBaptismTop - 2);
  Text(1, 40 + kBox + s::kBoxGap, s::kBaptismTop, "Geprüft");
  Widget(std::string(kTestFormCheckedBox), true,
         {40, s::kBaptismTop - 2, 40 + kBox, s::kBaptismTop - 2 + kBox}, 1, 0, "on");
}

std::string Writer::Pdf() {
  DrawPages();
  const std::string_view parents[] = {kTestFormParent, kTestFormSecondParent};
  const int pages = options_.onePage ? 1 : 2;
  // A single page leaves the second page's and parent's objects empty.
  objects_[kSecondPage - 1] = objects_[kParents] = "null";
  const std::string nowhere = Ref(static_cast<int>(objects_.size()) + 100);
  if (options_.fault == Fault::kDanglingReference) {
    topFields_ += nowhere;
    kids_[0] += nowhere;
  }
  if (options_.fault == Fault::kKidsCycle) kids_[0] += Ref(kParents);
  for (int p = 0; p < pages; ++p) {
    objects_[kParents - 1 + p] = "<< /T " + Name(parents[p]) + " /Kids [" + kids_[p] + "] >>";
    topFields_ += Ref(kParents + p);
  }
  for (int page = 0; page < pages; ++page) {
    const int content = AddStream("", "0.5 w\n" + content_[page]);
    objects_[kFirstPage - 1 + page] = "<< /Type /Page /Parent " + Ref(kPages) +
                                      "/MediaBox [0 0 595 842] /Resources << /Font << /F1 " +
                                      Ref(helv_) + "/F2 " + Ref(bold_) + ">> >> /Contents " +
                                      Ref(content) + "/Annots [" + annots_[page] + "] >>";
  }
  objects_[kPages - 1] = "<< /Type /Pages /Kids [" + Ref(kFirstPage) +
                         (options_.onePage ? "] /Count 1 >>" : Ref(kSecondPage) + "] /Count 2 >>");
  const std::string embedded =
      embedded_ ? "/" + std::string(kEmbeddedKey) + " " + Ref(embedded_) : std::string();
  std::string acroForm = "<< /Fields [" + topFields_ + "]" +
                         (options_.needAppearances ? " /NeedAppearances true" : "") +
                         " /DA (/Helv 0 Tf 0 g) /CO [" + calculated_ + "]";
  if (options_.fault != Fault::kNoDefaultResources)
    acroForm += " /DR << /Font << /Helv " + Ref(helv_) + "/HeSt " + Ref(standard_) + "/ZaDb " +
                Ref(zapf_) + embedded + ">> >>";
  if (options_.fault == Fault::kXfa)
    acroForm += " /XFA [(template) " +
                Ref(AddStream("", "<xdp:xdp xmlns:xdp=\"http://ns.adobe.com/xdp/\"/>")) + "]";
  objects_[kAcroForm - 1] = acroForm + " >>";
  objects_[kCatalog - 1] =
      "<< /Type /Catalog /Pages " + Ref(kPages) +
      (options_.fault == Fault::kNoAcroForm ? "" : "/AcroForm " + Ref(kAcroForm)) + ">>";
  objects_[kInfo - 1] = "<< /Title (S-21 Testformular) /Producer (Morvind) >>";

  // The objects, then the cross-reference table with each one's offset.
  std::string file = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n";
  std::string xref = "xref\n0 " + std::to_string(objects_.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t i = 0; i < objects_.size(); ++i) {
    char entry[24];
    // A broken table points a few bytes past each object.
    const std::size_t wrong = options_.fault == Fault::kBrokenXref ? 3 : 0;
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", file.size() + wrong);
    xref += entry;
    file += std::to_string(i + 1) + " 0 obj\n" + objects_[i] + "\nendobj\n";
  }
  const std::size_t start = file.size();
  return file + xref + "trailer\n<< /Size " + std::to_string(objects_.size() + 1) + " /Root " +
         Ref(kCatalog) + "/Info " + Ref(kInfo) + ">>\nstartxref\n" + std::to_string(start) +
         "\n%%EOF\n";
}

}  // namespace

FillableFormOptions OfficialLikeFormOptions() {
  FillableFormOptions options;
  options.utf16Names = true;
  options.yesState = true;
  options.onePage = true;
  options.remarksTotal = true;
  options.formatAllHours = true;
  return options;
}

std::string FillableFormPdf(const FillableFormOptions& options) {
  return Writer(options).Pdf();
}

}  // namespace morvind::test
