#pragma once

#include "layout/CardVersion.h"
#include "layout/LayoutRecord.h"
#include "layout/LengthUnit.h"
#include "toolkit/Dialog.h"

namespace morvind {

// The layout details dialog (template 131): every value of one layout in a
// grid of fields, the twelve header items' X and Y, the body top and
// height, and the column positions, in inches or millimetres. A field the
// user edited is checked with the value rule when he leaves it; OK stores
// the edited fields into `layout` (in inches as they are, cut to 7
// characters; in mm as the nearest hundredth of an inch) and keeps the
// stored bytes of every other one. Cancel leaves `layout` as it was handed
// in. It never touches a file.
class LayoutDetailsDialog : public Dialog {
  Q_OBJECT
 public:
  explicit LayoutDetailsDialog(const UiContext& ui, QWidget* parent = nullptr);

  LayoutRecord layout;                  // the copy being edited
  CardVersion cardVersion = 0;          // names the dialog and chooses the reset's defaults
  LengthUnit unit = LengthUnit::kInch;  // in which the fields show and take the values

  // Control ids of template 131.
  static constexpr int kFirstHeaderX = 1031;  // header item i: X 1031 + i, Y 1043 + i
  static constexpr int kFirstHeaderY = 1043;
  static constexpr int kBodyTopField = 1066;
  static constexpr int kBodyHeightField = 1067;
  static constexpr int kFirstColumnField = 1068;  // column j: 1068 + j, slot 42 + j
  static constexpr int kColumnFieldCount = 7;
  static constexpr int kHiddenColumnField = 1073;
  static constexpr int kResetButton = 1064;
  static constexpr int kPlacementsLabel = 1076;
  static constexpr int kVideoShowingsLabel = 1075;
  static constexpr int kReturnVisitsLabel = 1077;
  static constexpr int kBibleStudiesLabel = 1078;
  static constexpr int kHiddenColumnLabel = 1079;
  // The notes that name the unit.
  static constexpr int kCoordinatesNote = 1080;
  static constexpr int kExamplesNote = 1081;
  static constexpr int kBodyTopNote = 1083;
  static constexpr int kColumnsNote = 1084;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnControlMessage(int fieldId) override;

 private:
  void Fill();
  // What the field of `slot` shows for the layout's value: the text as
  // stored in inches, what prints in mm.
  std::string Shown(int slot) const;
  // The user changed the field from what it showed for the stored value.
  bool Edited(int fieldId, int slot) const;
  void CheckField(int fieldId);

  // Set while the dialog hands the focus back to a rejected field, so the
  // field it takes the focus from is not checked in turn.
  bool refocusing_ = false;
};

}  // namespace morvind
