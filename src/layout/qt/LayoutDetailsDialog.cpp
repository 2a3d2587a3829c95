#include "layout/qt/LayoutDetailsDialog.h"

#include <QString>
#include <utility>
#include <vector>

#include "layout/LayoutFile.h"
#include "layout/LayoutSlotNames.h"
#include "layout/LayoutValueRules.h"
#include "resources/StringIds.h"

namespace morvind {
namespace {

// Every field with the slot it shows, in the order of the grid.
std::vector<std::pair<int, int>> FieldSlots() {
  std::vector<std::pair<int, int>> fields;
  for (int i = 0; i < kHeaderItemCount; ++i) {
    fields.emplace_back(LayoutDetailsDialog::kFirstHeaderX + i, 2 * i);
    fields.emplace_back(LayoutDetailsDialog::kFirstHeaderY + i, 2 * i + 1);
  }
  fields.emplace_back(LayoutDetailsDialog::kBodyTopField, kBodyTop);
  fields.emplace_back(LayoutDetailsDialog::kBodyHeightField, kBodyHeight);
  for (int j = 0; j < LayoutDetailsDialog::kColumnFieldCount; ++j)
    fields.emplace_back(LayoutDetailsDialog::kFirstColumnField + j, kPlacementsColumn + j);
  return fields;
}

// A slot holds single-byte text; a damaged file may put any byte there.
// Shown and read back as Latin-1, such a byte survives an OK unchanged
// instead of turning into a replacement character.
std::string SlotToField(const std::string& slot) {
  return QString::fromLatin1(slot.data(), static_cast<qsizetype>(slot.size()))
      .toUtf8()
      .toStdString();
}

std::string FieldToSlot(const std::string& field) {
  return QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()))
      .toLatin1()
      .toStdString();
}

}  // namespace

LayoutDetailsDialog::LayoutDetailsDialog(const UiContext& ui, QWidget* parent)
    : Dialog(kLayoutDetailsTemplate, ui, parent) {}

bool LayoutDetailsDialog::OnInitDialog() {
  // The template's column captions are those of an older card; each label
  // gets the name of the figure its field positions (the names the test
  // print writes beside its crosses), and the seventh column, which nothing
  // draws, is hidden.
  SetText(kPlacementsLabel, LayoutSlotName(kPlacementsColumn, Strings()));
  SetText(kVideoShowingsLabel, LayoutSlotName(kVideoShowingsColumn, Strings()));
  SetText(kReturnVisitsLabel, LayoutSlotName(kReturnVisitsColumn, Strings()));
  SetText(kBibleStudiesLabel, LayoutSlotName(kBibleStudiesColumn, Strings()));
  Show(kHiddenColumnLabel, false);
  Show(kHiddenColumnField, false);

  Fill();

  std::string versionName = CardVersionName(Strings(), cardVersion);
  SetTitle(Strings().Get(str::kLayoutDetailsTitle) + " - " + versionName);
  SetText(kResetButton, Strings().Get(str::kLayoutDetailsReset) + " - " + versionName);

  // The remarks column (1074) is checked like every other field: its value
  // is an inch position like the rest and is drawn with the same conversion.
  for (const auto& [field, slot] : FieldSlots()) {
    OnFocusLost(field, [this, field] {
      if (!refocusing_) PostControlMessage(field);
    });
  }
  OnClicked(kResetButton, [this] {
    FillDefaultLayout(layout, cardVersion, Strings());
    Fill();
  });

  SetFocusTo(kFirstHeaderX);
  return false;
}

void LayoutDetailsDialog::Fill() {
  for (const auto& [field, slot] : FieldSlots()) SetText(field, SlotToField(layout.Text(slot)));
}

void LayoutDetailsDialog::OnControlMessage(int fieldId) {
  CheckField(fieldId);
}

void LayoutDetailsDialog::CheckField(int fieldId) {
  std::string text = GetText(fieldId);
  if (NormalizeLayoutValue(text, Strings(), Messages())) {
    SetText(fieldId, text);
    return;
  }
  // The message has been shown; the user corrects the typed text in place.
  // The field the focus is taken from was only passed through: checking it
  // now could bounce the focus and the message between two bad fields.
  refocusing_ = true;
  SetFocusTo(fieldId);
  refocusing_ = false;
}

void LayoutDetailsDialog::OnOK() {
  // The fields are stored as they stand, without the value rule: a value
  // typed and confirmed with Enter at once is kept as typed.
  for (const auto& [field, slot] : FieldSlots()) layout.Set(slot, FieldToSlot(GetText(field)));
  EndDialog(kIdOk);
}

}  // namespace morvind
