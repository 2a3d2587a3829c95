#pragma once

#include "layout/CardVersion.h"
#include "layout/LayoutRecord.h"
#include "toolkit/Dialog.h"

namespace morvind {

// The layout details dialog (template 131): every value of one layout in a
// grid of fields, the twelve header items' X and Y, the body top and
// height, and the column positions. A field is checked with the value rule
// when the user leaves it; OK stores the fields as they are (cut to 7
// characters) into `layout`, Cancel leaves `layout` as it was handed in.
// It never touches a file.
class LayoutDetailsDialog : public Dialog {
  Q_OBJECT
 public:
  explicit LayoutDetailsDialog(const UiContext& ui, QWidget* parent = nullptr);

  LayoutRecord layout;          // the copy being edited
  CardVersion cardVersion = 0;  // names the dialog and chooses the reset's defaults

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

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnControlMessage(int fieldId) override;

 private:
  void Fill();
  void CheckField(int fieldId);

  // Set while the dialog hands the focus back to a rejected field, so the
  // field it takes the focus from is not checked in turn.
  bool refocusing_ = false;
};

}  // namespace morvind
