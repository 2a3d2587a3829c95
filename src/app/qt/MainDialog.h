#pragma once

#include <QPageLayout>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/DoublePress.h"
#include "app/PrintState.h"
#include "app/Settings.h"
#include "app/qt/AppEnvironment.h"
#include "app/qt/MainWindowGeometry.h"
#include "data/CongregationData.h"
#include "data/ExtendedInfo.h"
#include "layout/LayoutRecord.h"
#include "preview/CardTexts.h"
#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"
#include "toolkit/Dialog.h"

class QAction;
class QLabel;
class QMenu;
class QPainter;
class QTimer;

namespace morvind {

class PublisherListBox;
class HeaderPreviewPane;
class BodyPreviewPane;
class OfficialFormPanes;
enum class FormArea;
class PrintCommands;
class QtEventClock;
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
  // "&Langer Name" and "Familienname &Zuerst" as the card version allows
  // them, both off while a totals record is selected (their checks stay).
  void ApplyNameBoxStates();
  // After a change of the record form: the month boxes follow the new
  // form's month rule, the male/female tick the header box again.
  void ApplyFormStates();
  // Asks for the password of the loaded table; true when access is granted.
  bool CheckDataPassword();
  // The same for `table`; at a change of the data folder the dialog stands
  // over the window and offers "Abbrechen".
  bool CheckDataPassword(const PublisherTable& table, bool atFolderChange);
  void PrintCard();
  // "&Drucken" pressed (the button, Enter or Ctrl+P): prints the card,
  // unless the press follows the last one that printed within the
  // desktop's double-click interval.
  void OnPrintPressed();
  void ShowAboutBox();
  void FocusList();
  // The system command handler: 16 (low four bits ignored) shows the About box.
  void OnSysCommand(int command);
  // "Datenordner wechseln…": asks for another folder with tdat9.bin (the
  // chooser opens in the current one; cancelling changes nothing), saves the
  // layout into the folder being left and loads the new folder as at start:
  // password, list (all publishers), layout of the current card version.
  // The settings stay; the folder is remembered and the title names it. A
  // refused password keeps the old folder loaded.
  void ChangeDataFolder();
  // Puts the context menu's entries into `menu`: the print commands,
  // "Datenordner wechseln…" and the About entry, which it returns (null
  // when the string table has none).
  QAction* FillContextMenu(QMenu& menu);
  QAction* ChangeFolderAction() const { return changeFolderAction_; }

  // The name and mobile telephone a card of the selected publisher carries
  // now, with the decisions on the three check boxes.
  CardTexts CurrentCardTexts();
  // Every field and check state printing and the previews read.
  CardRequest BuildCardRequest() const;
  // What the print commands read of the run state beside the requests.
  morvind::PrintState PrintState();
  // Whether "&Drucken" prints something for the selection: a totals
  // record, or a publisher whose name is not blank.
  bool SelectionPrints() const;
  // The selected publisher's card (or totals record's page) as "&Drucken"
  // prints it now (the texts chosen for the selection now); empty when
  // nothing would print.
  std::optional<CardRequest> SelectedCardRequest();
  // The program's printer, or null when none is set up.
  QPrinter* CurrentPrinter() const;
  // Before a print of `request`'s kind onto `page`: a sheet S-21 11/23 wider
  // than the page's printable width (with the left margin) is said to be so
  // and printed only when the user goes on with `goOn` ("Drucken",
  // "Speichern"). True when the print may go ahead.
  bool ConfirmPaperWidth(const QPageLayout& page, const CardRequest& request, const char* goOn);
  // Puts the cards on `printer` through the environment's print function.
  PrintResult Print(QPrinter& printer, const std::vector<CardRequest>& cards,
                    const CardDocumentOptions& options = {});
  // The previews' drawing operations (the panes call them when they paint).
  void DrawHeaderPreview(int left, int top, int right, int bottom, DrawingSurface& surface);
  void DrawBodyPreview(int left, int top, int right, int bottom, DrawingSurface& surface);
  // With the official form, its rendered `area` over a pane.
  void PaintOfficialForm(FormArea area, QPainter& painter, const QRect& client);
  OfficialFormPanes& OfficialPanes() const { return *officialPanes_; }

  PublisherListBox* PublisherList() const;
  HeaderPreviewPane* HeaderPane() const;
  BodyPreviewPane* BodyPane() const;
  // "&Drucken" (1) with its menu of the other print commands.
  SplitButton* PrintButton() const;
  PrintCommands* Commands() const { return commands_; }
  // Shows `text` beside "&Drucken" for about five seconds, in a note
  // without a box to close: where a print went.
  void ShowPrintNote(const QString& text);
  QLabel* PrintNote() const { return printNote_; }
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
  // The congregation's totals record the list's selection stands for
  // instead of a publisher (selectedPublisher is 0 then).
  std::optional<TotalsCategory> selectedTotals;
  int filterGroup = 0;
  int hasUnassigned = 0;
  int fontCharset = 0;
  int dataDrive = 0;
  int startDrive = 0;
  int cardVersion = 0;
  // The form this run prints: the stored one, except that an official form
  // whose file failed its check at start gives way to the drawn sheet.
  RecordForm form = RecordForm::kCard1015;
  RecordForm storedForm = RecordForm::kCard1015;  // "Format" / "Form"
  std::string formFile;                           // "Format" / "Form File"
  LengthUnit unit = LengthUnit::kInch;            // "Format" / "Unit": how the dialogs show lengths
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
  void OnOK() override { OnPrintPressed(); }
  void OnCancel() override;
  QWidget* CreateControl(const ControlTemplate& control) override;
  void CaptionFitted(QWidget* control) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnSelectionChanged();
  void OnFilterClicked();
  void OnMonthOrTotalsClicked();
  void OnPrintHeaderClicked();
  void OnCompleteCardClicked();
  void OnOptionsClicked();
  void ShowContextMenu(const QPoint& position);
  // Puts the print note beside "&Drucken" (PrintNotePlace).
  void PlacePrintNote();

  // The steps of OnInitDialog, in its order; the change of the data folder
  // uses those that load a folder.
  enum class FolderLoad { kLoaded, kRefused, kNoMemory };
  // The report month and years from the clock.
  void ReadReportPeriod();
  // The list's type-ahead, the panes' painters, the month boxes' places,
  // the filter caption, the context menu, the icon and the print commands.
  void AttachControls();
  // The run's flags and the language, and the first-name sort setting.
  void ResetRunState();
  // The congregation data of `folder` into `into`, in the start's order:
  // the table's memory ("Couldn't allocate memory" when there is none),
  // the table and the groups, the password, the extended records and the
  // remarks.
  FolderLoad LoadFolderData(const DataFolder& folder, CongregationData& into, bool atFolderChange);
  // The loaded data in the list (sorted first for "portuguese").
  void ShowFolderData();
  // Date format, name order, card version, form, unit and margins, and the
  // check boxes they set.
  void ReadSettingsAtStart();
  // The current card version's layout from the data folder, or its defaults.
  void LoadFolderLayout();
  // A stored official form whose file fails its check says so, and this
  // run prints the drawn sheet instead.
  void CheckFormFileAtStart();
  // The handlers of the check boxes and buttons.
  void ConnectHandlers();
  // The data folder as an absolute path (the working directory when the
  // files are opened by bare name).
  std::filesystem::path DataFolderPath() const;
  // Puts each month box and the totals box level with its row of the body
  // preview, whatever size the style gives the boxes (the window's layout
  // keeps them there at every size).
  void AlignMonthBoxesWithPreviewRows();
  Settings CurrentSettings() const;
  // The request the previews show: the list's current line.
  CardRequest BodyPreviewRequest() const;
  // Writes every setting, as the end does, and says so when the file can't
  // take them: at the end, and at once when a setting changes, so that
  // morvind-print beside the window prints with it.
  void SaveSettingsNow();
  // Writes the layout of the current card version into the data folder in
  // use (when "Optionen" changed it, at the end, and before another data
  // folder is loaded); says so when edits could not be saved.
  void SaveLayoutBeforeLeaving();

  AppEnvironment environment_;
  ProfileFile settingsFile_;
  MainWindowGeometry geometry_{*this, settingsFile_};
  PrintCommands* commands_ = nullptr;
  std::unique_ptr<QtEventClock> ownEventClock_;
  std::unique_ptr<OfficialFormPanes> officialPanes_;  // when the environment gives none
  const EventClock* eventClock_ = nullptr;
  DoublePressFilter printPresses_;
  QAction* changeFolderAction_ = nullptr;
  QLabel* printNote_ = nullptr;
  QTimer* printNoteTimer_ = nullptr;
  std::filesystem::path titleFolder_;  // the folder chosen in the window, for the title
};

}  // namespace morvind
