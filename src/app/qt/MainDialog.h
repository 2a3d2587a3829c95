#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "app/qt/AppEnvironment.h"
#include "data/CongregationData.h"
#include "data/ExtendedInfo.h"
#include "layout/LayoutRecord.h"
#include "preview/CardTexts.h"
#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"
#include "toolkit/Dialog.h"

namespace morvind {

class PublisherListBox;
class HeaderPreviewPane;
class BodyPreviewPane;
class PrintCommands;
class SplitButton;

// The program's one window (template 102): the publisher list on the left,
// the card-header and monthly-body previews with the print options on the
// right, the buttons along the bottom. It owns all run-time state of the run;
// printing and the previews read it through BuildCardRequest().
class MainDialog : public Dialog {
  Q_OBJECT
 public:
  explicit MainDialog(const AppEnvironment& environment);
  ~MainDialog() override;

  // Control ids of template 102.
  static constexpr int kPublisherList = 1000;
  static constexpr int kHeaderPane = 1006;
  static constexpr int kLastNameFirstBox = 1007;
  static constexpr int kLongNameBox = 1010;
  static constexpr int kFirstMonthBox = 1015;  // 1015..1026 = September .. August
  static constexpr int kPreviousYearBox = 1027;
  static constexpr int kTotalsBox = 1028;
  static constexpr int kFilterButton = 1029;
  static constexpr int kPrintHeaderBox = 1030;
  static constexpr int kGenderTicksBox = 1031;
  static constexpr int kCompleteCardBox = 1032;
  static constexpr int kOptionsButton = 1014;
  static constexpr int kBodyPane = 129;
  static constexpr int kAboutCommand = 16;

  // The dialog's own operations.
  void FillPublisherList();
  void RefreshSelection();
  void UpdateFilterButton();
  void SortPublishersByName();
  void UpdateTitle();
  void ApplyMonthRule();
  void ApplyCardVersionStates();
  bool CheckDataPassword();
  void PrintCard();
  void ShowAboutBox();
  void FocusList();
  // The system command handler: 16 (low four bits ignored) shows the About box.
  void OnSysCommand(int command);

  // The name and mobile telephone a card of the selected publisher carries
  // now, with the decisions on the three check boxes.
  CardTexts CurrentCardTexts();
  // Every field and check state printing and the previews read.
  CardRequest BuildCardRequest() const;
  // The selected publisher's card as "&Drucken" prints it now (the texts
  // chosen for the publisher selected now); empty when nothing would print.
  std::optional<CardRequest> SelectedCardRequest();
  // The program's printer, or null when none is set up.
  QPrinter* CurrentPrinter() const;
  // Puts the cards on `printer` through the environment's print function.
  PrintResult Print(QPrinter& printer, const std::vector<CardRequest>& cards,
                    const CardDocumentOptions& options = {});
  // The previews' drawing operations (the panes call them when they paint).
  void DrawHeaderPreview(int left, int top, int right, int bottom, DrawingSurface& surface);
  void DrawBodyPreview(int left, int top, int right, int bottom, DrawingSurface& surface);

  PublisherListBox* PublisherList() const;
  HeaderPreviewPane* HeaderPane() const;
  BodyPreviewPane* BodyPane() const;
  // "&Drucken" (1) with its menu of the other print commands.
  SplitButton* PrintButton() const;
  PrintCommands* Commands() const { return commands_; }
  const AppEnvironment& Environment() const { return environment_; }

  // Run-time state, read by printing, the previews and the tests.
  int publisherFilter = 0;
  int dateFormat = 0;
  int lastNameFirst = 0;
  int useLongName = 1;
  std::string topMargin = "0.00";
  std::string leftMargin = "0.20";
  std::string languageCode;
  int firstNameSort = 0;
  int settingsChanged = 0;
  int passwordFailed = 0;
  int reportMonth = 0;
  int selectedPublisher = 0;
  int filterGroup = 0;
  int hasUnassigned = 0;
  int fontCharset = 0;
  int dataDrive = 0;
  int startDrive = 0;
  int cardVersion = 0;
  RecordForm form = RecordForm::kCard1015;  // "Format" / "Form"
  LengthUnit unit = LengthUnit::kInch;      // "Format" / "Unit": how the dialogs show lengths
  int completeCard = 0;
  int previousServiceYear = 0;
  int reportYearShort = 0;
  int currentYear = 2000;
  CongregationData data;  // the publisher table, groups and remarks
  LayoutRecord layout;
  ExtendedInfo extendedInfo;  // of the publisher the header pane painted last
  std::string cardName;
  std::string cardMobile;
  bool layoutLoaded = false;

 protected:
  bool OnInitDialog() override;
  void OnOK() override { PrintCard(); }
  void OnCancel() override;
  QWidget* CreateControl(const ControlTemplate& control) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnSelectionChanged();
  void OnFilterClicked();
  void OnMonthOrTotalsClicked();
  void OnPrintHeaderClicked();
  void OnCompleteCardClicked();
  void OnOptionsClicked();
  void ShowContextMenu(const QPoint& position);
  // Puts each month box and the totals box level with its row of the body
  // preview, whatever size the style gives the boxes.
  void AlignMonthBoxesWithPreviewRows();
  Settings CurrentSettings() const;

  AppEnvironment environment_;
  ProfileFile settingsFile_;
  PrintCommands* commands_ = nullptr;
};

}  // namespace morvind
