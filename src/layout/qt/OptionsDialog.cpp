#include "layout/qt/OptionsDialog.h"

#include "data/TextServices.h"
#include "layout/LayoutFile.h"
#include "layout/LayoutValueRules.h"
#include "layout/LengthText.h"
#include "layout/qt/LayoutDetailsDialog.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

// The value of `form` that stands for the official form (its radio button
// is the third of the group).
constexpr int kOfficialFormChoice = 2;

}  // namespace

std::string StepBodyValue(const std::string& text, int delta, int lower, int upper) {
  int n = LayoutValueToHundredths(text);
  // Only the sign counts: a held button that asks for a bigger step still
  // moves one hundredth per notification.
  if (delta < 0 && n > lower) --n;
  if (delta > 0 && n < upper) ++n;
  return HundredthsToLayoutValue(n);
}

OptionsDialog::OptionsDialog(const UiContext& ui, PrinterSetup printerSetup,
                             const DataFolder& folder, QWidget* parent)
    : Dialog(kOptionsTemplate, ui, parent),
      printerSetup_(std::move(printerSetup)),
      folder_(folder) {}

int OptionsDialog::DateFormatRadio(int format) {
  return format == kGermanDateFormat ? kGermanDateRadio : kFirstDateFormat + format;
}

bool OptionsDialog::OnInitDialog() {
  // A foreign date format (only a hand-edited settings file holds one)
  // checks no radio button; a click then chooses one of the five.
  for (int i = 0; i < kDateFormatCount; ++i) {
    SetCheck(DateFormatRadio(i), i == dateFormat);
    OnClicked(DateFormatRadio(i), [this, i] { dateFormat = i; });
  }

  for (int f = 0; f <= kOfficialFormChoice; ++f) {
    SetCheck(kCardFormRadio + f, f == form);
    OnClicked(kCardFormRadio + f, [this, f] { form = f; });
  }
  formAtOpen_ = form;
  formFileAtOpen_ = formFile;
  ShowFormFile();
  OnClicked(kFormFileButton, [this] { ChooseFormFile(); });

  SetCheck(kInchRadio, unit == LengthUnit::kInch);
  SetCheck(kMillimetreRadio, unit == LengthUnit::kMillimetre);
  OnClicked(kInchRadio, [this] { SwitchUnit(LengthUnit::kInch); });
  OnClicked(kMillimetreRadio, [this] { SwitchUnit(LengthUnit::kMillimetre); });

  OnFocusLost(kTopMarginEdit, [this] { CommitMargin(kTopMarginEdit, topMargin); });
  OnFocusLost(kLeftMarginEdit, [this] { CommitMargin(kLeftMarginEdit, leftMargin); });

  // The controls' own ranges only bound their inner position; the values
  // shown and stored follow the body step, whose bounds differ for the
  // height (up to 2.20).
  Spin(kBodyTopSpin)->SetRange(100, 150);
  Spin(kBodyHeightSpin)->SetRange(150, 200);
  OnDeltaPos(kBodyTopSpin, [this](int, int delta) {
    BodyStep(kBodyTopLabel, kBodyTop, kBodyTopLower, kBodyTopUpper, delta);
    return false;
  });
  OnDeltaPos(kBodyHeightSpin, [this](int, int delta) {
    BodyStep(kBodyHeightLabel, kBodyHeight, kBodyHeightLower, kBodyHeightUpper, delta);
    return false;
  });
  ShowUnit();  // the margins, the body values and the texts naming the unit

  FillVersionList();
  OnSelChange(kVersionList, [this] { SwitchVersion(); });

  OnClicked(kDetailsButton, [this] { RunLayoutDetails(); });
  OnClicked(kResetButton, [this] {
    FillDefaultLayout(layout, cardVersion, Strings());
    RefreshBody();
  });
  OnClicked(kPrinterButton, [this] {
    if (printerSetup_) printerSetup_(this);
  });

  if (showFirstNameSort) {
    Show(kFirstNameSortBox, true);
    SetCheck(kFirstNameSortBox, firstNameSort);
  }

  SetFocusTo(kTopMarginEdit);
  return false;
}

void OptionsDialog::CommitMargin(int editId, std::string& margin) {
  std::string typed = GetText(editId);
  // A margin the user did not edit keeps its stored text, which need not
  // be in normal form ("1.5" prints as 1.05 inches and shows so in mm).
  if (typed == ShowLength(margin, unit)) return;
  if (std::optional<std::string> stored = CheckTypedLength(typed, unit, Strings(), Messages()))
    margin = *stored;
  // Accepted or not, the edit shows the margin in force: a rejected entry
  // reverts to the last accepted one. The focus stays where the user put it.
  SetText(editId, ShowLength(margin, unit));
}

void OptionsDialog::CommitFocusedMargin() {
  int focused = FocusedControl();
  if (focused == kTopMarginEdit) CommitMargin(kTopMarginEdit, topMargin);
  if (focused == kLeftMarginEdit) CommitMargin(kLeftMarginEdit, leftMargin);
}

void OptionsDialog::BodyStep(int labelId, int slot, int lower, int upper, int delta) {
  // The step starts from the working copy's value, which the label shows
  // as it prints (in mm too), so both give the same hundredths.
  std::string value = StepBodyValue(layout.Text(slot), delta, lower, upper);
  layout.Set(slot, value);
  SetText(labelId, ShowLength(value, unit));
}

void OptionsDialog::RefreshBody() {
  std::string top = layout.Text(kBodyTop);
  std::string height = layout.Text(kBodyHeight);
  // The labels show the values as the card prints them, which is also what
  // the next step starts from (a file may hold "1.500" or "1.5").
  Spin(kBodyTopSpin)->SetPos(LayoutValueToHundredths(top));
  SetText(kBodyTopLabel, ShowLength(PrintedLayoutValue(top), unit));
  Spin(kBodyHeightSpin)->SetPos(LayoutValueToHundredths(height));
  SetText(kBodyHeightLabel, ShowLength(PrintedLayoutValue(height), unit));
}

void OptionsDialog::ShowUnit() {
  for (int id : {kMarginUnitLabel, kBodyTopNote})
    SetText(id, InUnit(Template().Find(id)->caption, unit));
  const QString tip = unit == LengthUnit::kMillimetre ? ToQt(MillimetreToolTip()) : QString();
  SetText(kTopMarginEdit, ShowLength(topMargin, unit));
  SetText(kLeftMarginEdit, ShowLength(leftMargin, unit));
  for (int id : {kTopMarginEdit, kLeftMarginEdit}) Control(id)->setToolTip(tip);
  RefreshBody();
}

void OptionsDialog::SwitchUnit(LengthUnit chosen) {
  if (chosen == unit) return;
  // A margin still being typed counts in the unit it was typed in. The
  // stored values themselves never change with the unit.
  CommitFocusedMargin();
  unit = chosen;
  ShowUnit();
}

void OptionsDialog::FillVersionList() {
  ListBox* list = List(kVersionList);
  int count = CardVersionCount(Strings());
  for (int v = 0; v < count; ++v) list->InsertString(v, CardVersionName(Strings(), v));
  // A negative version is treated like one past the count: either would
  // leave the list without a selection and later name a layout file that
  // no version owns.
  cardVersion = ValidCardVersion(Strings(), cardVersion);
  list->SetCurSel(cardVersion);
  if (completeCard) Enable(kVersionList, false);
}

void OptionsDialog::SwitchVersion() {
  // The current line, not GetCurSel: a mouse click reports the change of
  // the current line before the line is marked as selected.
  int selected = List(kVersionList)->currentRow();
  if (selected < 0) return;
  // The working copy is written under the version being left, so coming
  // back to it in this dialog (or later) finds the edits made so far.
  Messages().ShowSaveFailure(folder_.PathOf(LayoutFileName(cardVersion)),
                             SaveLayoutEdits(layout, cardVersion, folder_, Strings()));
  cardVersion = selected;
  LoadLayoutOrDefaults(layout, cardVersion, folder_, Strings());
  RefreshBody();
}

void OptionsDialog::RunLayoutDetails() {
  LayoutDetailsDialog details(Ui(), this);
  details.unit = unit;
  details.layout = layout;
  details.cardVersion = cardVersion;
  if (details.DoModal() == kIdOk) layout = details.layout;
  RefreshBody();
}

void OptionsDialog::ShowFormFile() {
  const std::filesystem::path file(formFile);
  SetText(kFormFileLabel, formFile.empty() ? "keine Datei gewählt" : file.filename().string());
  Control(kFormFileLabel)->setToolTip(ToQt(formFile));
}

void OptionsDialog::ChooseFormFile() {
  if (!chooseFormFile) return;
  std::optional<std::filesystem::path> chosen = chooseFormFile(this, formFile);
  if (!chosen) return;
  // A file that can't serve is refused at once, and the choice stays.
  const std::string refusal = checkFormFile ? checkFormFile(*chosen) : std::string();
  if (!refusal.empty()) {
    Messages().ShowMessage(refusal, MessageIcon::kWarning);
    return;
  }
  formFile = chosen->string();
  form = kOfficialFormChoice;
  for (int f = 0; f <= kOfficialFormChoice; ++f) SetCheck(kCardFormRadio + f, f == form);
  ShowFormFile();
}

bool OptionsDialog::FormChoiceAccepted() {
  if (form != kOfficialFormChoice) return true;
  if (formFile.empty()) {
    Messages().ShowMessage("Bitte eine Formulardatei wählen.", MessageIcon::kWarning);
    return false;
  }
  // The radio button may have brought back a file chosen long ago, which
  // is checked now; a choice left as it was handed in is the caller's.
  if (form == formAtOpen_ && formFile == formFileAtOpen_) return true;
  const std::string refusal = checkFormFile ? checkFormFile(formFile) : std::string();
  if (refusal.empty()) return true;
  Messages().ShowMessage(refusal, MessageIcon::kWarning);
  return false;
}

void OptionsDialog::OnOK() {
  CommitFocusedMargin();
  if (!FormChoiceAccepted()) return;
  firstNameSort = Strings().LanguageCode() == "portuguese" && CheckState(kFirstNameSortBox);
  EndDialog(kIdOk);
}

void OptionsDialog::OnCancel() {
  // Closing while a margin edit has the focus leaves it: the commit (and
  // its message for a bad value) happens as it would for any other exit.
  CommitFocusedMargin();
  EndDialog(kIdCancel);
}

}  // namespace morvind
