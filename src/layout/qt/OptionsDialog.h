#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "data/DataFolder.h"
#include "layout/CardVersion.h"
#include "layout/LayoutRecord.h"
#include "layout/LengthUnit.h"
#include "toolkit/Dialog.h"

namespace morvind {

// The options dialog (template 130): page margins, date format, top and
// height of the monthly body, card version, record form, printer, and the
// unit in which it and the layout details dialog show lengths; it opens the layout
// details dialog and resets the layout to the version's defaults.
//
// The caller fills the public fields, runs DoModal and takes them back only
// when it returns OK. Two things act at once whatever the result: a version
// switch writes the layout file of the version being left (and says so when
// that loses the edits), and the printer setup changes the program's printer.
class OptionsDialog : public Dialog {
  Q_OBJECT
 public:
  // Runs the printer setup over `parent`: what is chosen there becomes the
  // program's printer at once. The application hands it in.
  using PrinterSetup = std::function<void(QWidget* parent)>;
  // Asks for the official form's PDF file over `parent`, opening where
  // `current` lies (empty: none chosen yet); nullopt when cancelled.
  using FormFileChooser = std::function<std::optional<std::filesystem::path>(
      QWidget* parent, const std::filesystem::path& current)>;
  // Checks a file as the official form: the message that refuses it, or
  // empty when it serves.
  using FormFileChecker = std::function<std::string(const std::filesystem::path& file)>;

  OptionsDialog(const UiContext& ui, PrinterSetup printerSetup, const DataFolder& folder,
                QWidget* parent = nullptr);

  int dateFormat = 0;           // 0..4, the index of the checked radio button
  CardVersion cardVersion = 0;  // a version outside 0..count-1 is shown as 0
  // Inch texts, shown in `unit`; a margin the user edited is committed when
  // its edit is left, one he did not edit stays as it was handed in.
  std::string topMargin;
  std::string leftMargin;
  LengthUnit unit = LengthUnit::kInch;  // of this dialog and the layout details
  LayoutRecord layout;                  // the working copy of the caller's layout
  bool completeCard = false;            // in only: the version list is then disabled
  bool showFirstNameSort = false;       // in only: the language is "portuguese"
  bool firstNameSort = false;
  // The record form as the settings store it: 0 the card S-21 10/15, 1 the
  // sheet S-21 11/23, 2 the official form (RecordForm); another value
  // checks no button. OK with the official form needs a file that passes
  // the check, which a file chosen here did at once; a form and file handed
  // in and left as they were are taken back unchecked.
  int form = 0;
  std::string formFile;  // the official form's file, kept whatever the form
  FormFileChooser chooseFormFile;
  FormFileChecker checkFormFile;

  // Control ids of template 130.
  static constexpr int kTopMarginEdit = 1014;
  static constexpr int kLeftMarginEdit = 1019;
  static constexpr int kFirstDateFormat = 1015;  // radios 1015..1018: formats 0..3
  static constexpr int kGermanDateRadio = 1020;  // format 4 (1019 is the left margin)
  static constexpr int kInchRadio = 1021;
  static constexpr int kMillimetreRadio = 1022;
  static constexpr int kMarginUnitLabel = 1023;
  static constexpr int kBodyTopNote = 1024;
  static constexpr int kBodyTopLabel = 1059;
  static constexpr int kBodyTopSpin = 1057;
  static constexpr int kBodyHeightLabel = 1060;
  static constexpr int kBodyHeightSpin = 1058;
  static constexpr int kResetButton = 1061;
  static constexpr int kVersionList = 1067;
  static constexpr int kDetailsButton = 1062;
  static constexpr int kPrinterButton = 1012;
  static constexpr int kFirstNameSortBox = 1082;
  static constexpr int kCardFormRadio = 1090;      // "Karte S-21 10/15"
  static constexpr int kSheetFormRadio = 1091;     // "Blatt S-21 11/23"
  static constexpr int kOfficialFormRadio = 1092;  // "Amtliches Formular (PDF-Datei)"
  static constexpr int kFormFileButton = 1093;     // "Formulardatei…"
  static constexpr int kFormFileLabel = 1094;      // the file's name

  // Bounds of the body values in hundredths of an inch.
  static constexpr int kBodyTopLower = 100, kBodyTopUpper = 150;
  static constexpr int kBodyHeightLower = 150, kBodyHeightUpper = 220;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  // The radio button of date format `format` (0..4).
  static int DateFormatRadio(int format);
  void CommitMargin(int editId, std::string& margin);
  // The margin commit for the edit that still has the focus as the dialog
  // closes: leaving the dialog is leaving the edit.
  void CommitFocusedMargin();
  void BodyStep(int labelId, int slot, int lower, int upper, int delta);
  void RefreshBody();
  // Shows every length and every text that names the unit in `unit`.
  void ShowUnit();
  void SwitchUnit(LengthUnit chosen);
  void FillVersionList();
  void SwitchVersion();
  void RunLayoutDetails();
  void ChooseFormFile();
  void ShowFormFile();
  // Whether the form chosen may be taken at OK; says why not.
  bool FormChoiceAccepted();

  PrinterSetup printerSetup_;
  DataFolder folder_;
  int formAtOpen_ = 0;
  std::string formFileAtOpen_;
};

// One step of a body value: `text` read as hundredths moves by one towards
// `delta`'s sign, but never past `lower` or `upper` (a value already outside
// moves only towards them), and is formatted back as "%3d" with a point
// after its first place ("132" -> "1.32", 51 -> " .51").
std::string StepBodyValue(const std::string& text, int delta, int lower, int upper);

}  // namespace morvind
