#include "layout/LayoutSlotNames.h"

#include "data/TextServices.h"
#include "layout/LayoutRecord.h"
#include "resources/DialogTemplate.h"
#include "resources/StringIds.h"

namespace morvind {
namespace {

// Field ids of template 131.
constexpr int kFirstHeaderXField = 1031;
constexpr int kBodyTopField = 1066;
constexpr int kFirstColumnField = 1068;

// The caption of the label the template places just before field `fieldId`
// (each row is its label followed by its fields), without the blanks that
// pad some of them.
std::string TemplateLabelBefore(int fieldId) {
  const DialogTemplate* dialog = FindDialogTemplate(kLayoutDetailsTemplate);
  if (dialog == nullptr) return std::string();
  const ControlTemplate* label = nullptr;
  for (const ControlTemplate& control : dialog->controls) {
    if (control.id == fieldId) return label ? Trimmed(label->caption) : std::string();
    if (control.kind == ControlKind::kStatic) label = &control;
  }
  return std::string();
}

}  // namespace

std::string LayoutSlotName(int slot, const StringTable& strings) {
  if (slot >= 0 && slot < 2 * kHeaderItemCount)
    return TemplateLabelBefore(kFirstHeaderXField + slot / 2);
  switch (slot) {
    case kBodyTop:
    case kBodyHeight:
      return TemplateLabelBefore(kBodyTopField + (slot - kBodyTop));
    // The template's column captions are those of an older card: the first
    // two are replaced, and the return visits and Bible studies take the
    // caption of the row below theirs.
    case kPlacementsColumn:
      return strings.Get(str::kPlacementsLabel);
    case kVideoShowingsColumn:
      return strings.Get(str::kVideoShowingsLabel);
    case kReturnVisitsColumn:
    case kBibleStudiesColumn:
      return TemplateLabelBefore(kFirstColumnField + (slot - kPlacementsColumn) + 1);
    case kHoursColumn:
    case kRemarksColumn:
      return TemplateLabelBefore(kFirstColumnField + (slot - kPlacementsColumn));
    default:
      return std::string();
  }
}

}  // namespace morvind
