#include "printing/OfficialFormFields.h"

#include "printing/ReportTotals.h"
#include "resources/JsonText.h"

namespace morvind {
namespace {

constexpr FormFieldKind kText = FormFieldKind::kText;
constexpr FormFieldKind kBox = FormFieldKind::kCheckBox;

std::array<FormFieldSpec, kOfficialFieldCount> MakeTable() {
  std::array<FormFieldSpec, kOfficialFieldCount> table;
  std::size_t i = 0;
  auto add = [&](std::string name, FormFieldKind kind, bool number = false) {
    table[i++] = {std::move(name), kind, true, number};
  };
  add("900_1_Text_SanSerif", kText);
  add("900_2_Text_SanSerif", kText);
  add("900_3_CheckBox", kBox);
  add("900_4_CheckBox", kBox);
  add("900_5_Text_SanSerif", kText);
  for (int k = 6; k <= 12; ++k) add("900_" + std::to_string(k) + "_CheckBox", kBox);
  add("900_13_Text_C_SanSerif", kText, true);
  // Rows 20 (September) to 31 (August).
  for (int r = 20; r <= 31; ++r) {
    const std::string row = "_" + std::to_string(r) + "_";
    add("901" + row + "CheckBox", kBox);
    add("902" + row + "Text_C_SanSerif", kText, true);
    add("903" + row + "CheckBox", kBox);
    add("904" + row + "S21_Value", kText, true);
    add("905" + row + "Text_SanSerif", kText);
  }
  add("904_32_S21_Value", kText, true);
  add("905_32_Text_SanSerif", kText);
  table[i - 1].required = false;
  return table;
}

}  // namespace

const std::array<FormFieldSpec, kOfficialFieldCount>& OfficialFormFieldTable() {
  static const std::array<FormFieldSpec, kOfficialFieldCount> kTable = MakeTable();
  return kTable;
}

std::vector<FormFieldValue> OfficialFormValues(const SheetContent& content) {
  // The content in the table's order.
  std::vector<std::string> texts;
  std::vector<bool> boxes;
  auto text = [&](const std::string& value) { texts.push_back(value); };
  auto box = [&](bool value) { boxes.push_back(value); };
  text(content.name);
  text(content.dateOfBirth);
  box(content.male);
  box(content.female);
  text(content.dateOfBaptism);
  box(content.otherSheep);
  box(content.anointed);
  box(content.elder);
  box(content.ministerialServant);
  box(content.regularPioneer);
  box(content.specialPioneer);
  box(content.fieldMissionary);
  text(content.serviceYear > 0 ? std::to_string(content.serviceYear) : std::string());
  for (const SheetRow& row : content.rows) {
    // A row without data is blank on the sheet, whatever it holds.
    const bool data = row.carriesData;
    box(data && row.sharedInMinistry);
    text(data ? row.bibleStudies : std::string());
    box(data && row.auxiliaryPioneer);
    text(data && !row.hours.empty() ? HoursAsNumber(row.hoursInQuarters) : std::string());
    text(data ? row.remark : std::string());
  }
  text(content.totalHours.empty() ? std::string() : HoursAsNumber(content.totalHoursInQuarters));
  text(std::string());  // the total row's remarks

  std::vector<FormFieldValue> values;
  values.reserve(kOfficialFieldCount);
  std::size_t t = 0, b = 0;
  for (const FormFieldSpec& field : OfficialFormFieldTable()) {
    FormFieldValue value;
    value.name = field.name;
    value.kind = field.kind;
    if (field.kind == FormFieldKind::kText) {
      value.text = texts[t++];
    } else {
      value.checked = boxes[b++];
    }
    values.push_back(std::move(value));
  }
  return values;
}

std::string FormFieldListing(const std::vector<FormFieldValue>& values) {
  std::string out;
  for (const FormFieldValue& value : values) {
    out += "{\"op\":\"field\",\"name\":";
    AppendJsonString(out, value.name);
    if (value.kind == FormFieldKind::kText) {
      out += ",\"text\":";
      AppendJsonString(out, value.text);
    } else {
      out += value.checked ? ",\"checked\":true" : ",\"checked\":false";
    }
    out += "}\n";
  }
  return out;
}

std::string CanonicalFormValues(const std::vector<FormFieldValue>& values) {
  // Each part carries its length, so no text can pass for a boundary.
  std::string out;
  auto part = [&](std::string_view text) {
    out += std::to_string(text.size());
    out += ':';
    out += text;
  };
  for (const FormFieldValue& value : values) {
    part(value.name);
    if (value.kind == FormFieldKind::kText) {
      part("T");
      part(value.text);
    } else {
      part(value.checked ? "X1" : "X0");
    }
  }
  return out;
}

}  // namespace morvind
