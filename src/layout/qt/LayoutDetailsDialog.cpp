#include "layout/qt/LayoutDetailsDialog.h"

#include <QString>
#include <utility>
#include <vector>

#include "layout/LayoutFile.h"
#include "layout/LayoutSlotNames.h"
#include "layout/LayoutValueRules.h"
#include "layout/LengthText.h"
#include "resources/StringIds.h"
#include "toolkit/QtText.h"

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

int SlotOf(int fieldId) {
  for (const auto& [field, slot] : FieldSlots())
    if (field == fieldId) return slot;
  return -1;
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

  for (int id : {kCoordinatesNote, kBodyTopNote, kColumnsNote})
    SetText(id, InUnit(Template().Find(id)->caption, unit));
  SetText(kExamplesNote, ExamplesText(unit));
  const QString tip = unit == LengthUnit::kMillimetre ? ToQt(MillimetreToolTip()) : QString();
  for (const auto& [field, slot] : FieldSlots()) Control(field)->setToolTip(tip);

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
  for (const auto& [field, slot] : FieldSlots()) SetText(field, Shown(slot));
}

std::string LayoutDetailsDialog::Shown(int slot) const {
  // In mm the text is ASCII, which the Latin-1 reading leaves as it is.
  return SlotToField(ShowLength(layout.Text(slot), unit));
}

bool LayoutDetailsDialog::Edited(int fieldId, int slot) const {
  return GetText(fieldId) != Shown(slot);
}

void LayoutDetailsDialog::OnControlMessage(int fieldId) {
  CheckField(fieldId);
}

void LayoutDetailsDialog::CheckField(int fieldId) {
  // A field the user did not change is left as it shows the stored value:
  // "1.5" must not become "1.50", which prints elsewhere.
  const int slot = SlotOf(fieldId);
  if (slot < 0 || !Edited(fieldId, slot)) return;
  if (std::optional<std::string> stored =
          CheckTypedLength(FieldToSlot(GetText(fieldId)), unit, Strings(), Messages())) {
    SetText(fieldId, SlotToField(ShowLength(*stored, unit)));
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
  // Only edited fields are stored; the others keep their bytes. In inches
  // an edited field is stored as it stands, without the value rule: a value
  // typed and confirmed with Enter at once is kept as typed. A millimetre
  // text can't be stored as it stands: its value rule runs now, and a
  // rejected one keeps the dialog open on that field.
  LayoutRecord edited = layout;
  for (const auto& [field, slot] : FieldSlots()) {
    if (!Edited(field, slot)) continue;
    std::string typed = FieldToSlot(GetText(field));
    if (unit == LengthUnit::kInch) {
      edited.Set(slot, typed);
      continue;
    }
    std::optional<std::string> stored = CheckTypedLength(typed, unit, Strings(), Messages());
    if (!stored) {
      SetFocusTo(field);
      return;
    }
    edited.Set(slot, *stored);
  }
  layout = edited;
  EndDialog(kIdOk);
}

}  // namespace morvind
