#include "app/qt/MainDialog.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QStyleHints>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "app/CardPlan.h"
#include "app/Language.h"
#include "app/PrintOptionRules.h"
#include "app/PublisherList.h"
#include "app/WindowLayout.h"
#include "app/qt/AboutDialog.h"
#include "app/qt/DataFolderDialog.h"
#include "app/qt/FormFileChoice.h"
#include "app/qt/OfficialFormPanes.h"
#include "app/qt/PasswordDialog.h"
#include "app/qt/PrintCommands.h"
#include "app/qt/PublisherListBox.h"
#include "app/qt/QtEventClock.h"
#include "data/PublisherTableLoader.h"
#include "data/TextServices.h"
#include "layout/CardVersion.h"
#include "layout/LayoutFile.h"
#include "layout/qt/OptionsDialog.h"
#include "preview/BodyPreview.h"
#include "preview/HeaderPreview.h"
#include "preview/SheetPreview.h"
#include "preview/qt/PreviewPane.h"
#include "printing/SheetPage.h"
#include "printing/qt/PrintJob.h"
#include "resources/StringIds.h"
#include "toolkit/AppIcon.h"
#include "toolkit/QtText.h"
#include "toolkit/SplitButton.h"

namespace morvind {
namespace {

constexpr const char* kNoMemoryMessage = "Couldn't allocate memory";
// How long the note of a print stays: long enough to read, short enough
// not to stand beside the next print.
constexpr int kPrintNoteMs = 5000;

// The application's style with check box indicators of at most `size`
// pixels, for the month boxes that stand one a row beside the body preview.
class CompactIndicatorStyle : public QProxyStyle {
 public:
  explicit CompactIndicatorStyle(int size) : size_(size) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    int value = QProxyStyle::pixelMetric(metric, option, widget);
    if (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight)
      return std::max(8, std::min(value, size_));
    return value;
  }

 private:
  int size_;
};

}  // namespace

MainDialog::MainDialog(const AppEnvironment& environment)
    : Dialog(kMainTemplate, environment.ui, nullptr),
      environment_(environment),
      settingsFile_(environment.settingsFile) {
  if (environment.eventClock) {
    eventClock_ = environment.eventClock;
  } else {
    ownEventClock_ = std::make_unique<QtEventClock>();
    eventClock_ = ownEventClock_.get();
  }
  officialPanes_ = std::make_unique<OfficialFormPanes>();
  publisherFilter = 0;
  setWindowIcon(AppIcon());
}

MainDialog::~MainDialog() = default;

QWidget* MainDialog::CreateControl(const ControlTemplate& control) {
  switch (control.id) {
    case kPublisherList:
      return new PublisherListBox(this);
    case kHeaderPane:
      return new HeaderPreviewPane(this);
    case kBodyPane:
      return new BodyPreviewPane(this);
    case kIdOk: {
      // "&Drucken" stays the default button; its arrow part opens the
      // menu of the other print commands.
      auto* button = new SplitButton(ToQt(control.caption), this);
      button->setAutoDefault(true);
      button->setDefault(true);
      return button;
    }
    default:
      return Dialog::CreateControl(control);
  }
}

PublisherListBox* MainDialog::PublisherList() const {
  return ControlAs<PublisherListBox>(kPublisherList);
}
HeaderPreviewPane* MainDialog::HeaderPane() const {
  return ControlAs<HeaderPreviewPane>(kHeaderPane);
}
BodyPreviewPane* MainDialog::BodyPane() const {
  return ControlAs<BodyPreviewPane>(kBodyPane);
}
SplitButton* MainDialog::PrintButton() const {
  return ControlAs<SplitButton>(kIdOk);
}

bool MainDialog::OnInitDialog() {
  ReadReportPeriod();
  AttachControls();
  ResetRunState();
  passwordFailed = LoadFolderData(environment_.dataFolder, data, false) == FolderLoad::kRefused;
  ShowFolderData();
  ReadSettingsAtStart();
  if (passwordFailed == 1) {
    // Refused: nothing is shown and nothing is written.
    data.table.Release();
    EndDialog(kIdCancel);
    return false;
  }
  CheckFormFileAtStart();
  ApplyMonthRule();
  LoadFolderLayout();
  completeCard = 0;
  ApplyCardVersionStates();
  fontCharset = FontCharsetFor(languageCode);
  UpdateTitle();
  commands_->UpdateStates();
  ConnectHandlers();
  commands_->UpdateStates();
  // The controls stand at the template's size now: the window's layout
  // starts from there, at the size the window had at its last end.
  geometry_.TakeSmallestPlaces();
  geometry_.RestorePlacement();
  return false;
}

void MainDialog::CaptionFitted(QWidget* control) {
  geometry_.ControlPlacedAtSmallest(control);
}

void MainDialog::resizeEvent(QResizeEvent* event) {
  Dialog::resizeEvent(event);
  geometry_.LayOut();
  if (printNote_ && printNote_->isVisible()) PlacePrintNote();
}

void MainDialog::ShowPrintNote(const QString& text) {
  printNote_->setText(text);
  printNote_->adjustSize();
  PlacePrintNote();
  printNote_->show();
  printNote_->raise();
  printNoteTimer_->start();  // a new print shows its note the full time
}

void MainDialog::PlacePrintNote() {
  auto rect = [this](int id) {
    const QRect r = Control(id) ? Control(id)->geometry() : QRect();
    return WindowRect{r.x(), r.y(), r.width(), r.height()};
  };
  const QSize size = printNote_->size();
  const WindowRect place =
      PrintNotePlace(rect(kOptionsButton), rect(kIdOk), {size.width(), size.height()}, width());
  printNote_->setGeometry(place.x, place.y, place.width, place.height);
}

void MainDialog::ReadReportPeriod() {
  // The report month is the previous calendar month: the newest month with reports.
  ReportPeriod period = ReportPeriodFor(environment_.clock->Today());
  reportMonth = period.reportMonth;
  currentYear = period.currentYear;
  reportYearShort = period.reportYearShort;
}

void MainDialog::AttachControls() {
  PublisherListBox* list = PublisherList();
  list->SetCharacterHandler([this] { RefreshSelection(); });
  HeaderPane()->SetPainter([this](int l, int t, int r, int b, DrawingSurface& surface) {
    DrawHeaderPreview(l, t, r, b, surface);
  });
  BodyPane()->SetPainter([this](int l, int t, int r, int b, DrawingSurface& surface) {
    DrawBodyPreview(l, t, r, b, surface);
  });
  // The official form is rendered into the panes over their white ground.
  HeaderPane()->SetPicturePainter([this](QPainter& painter, const QRect& client) {
    PaintOfficialForm(FormArea::kHeader, painter, client);
  });
  BodyPane()->SetPicturePainter([this](QPainter& painter, const QRect& client) {
    PaintOfficialForm(FormArea::kTable, painter, client);
  });
  HeaderPane()->ForgetClientRect();
  BodyPane()->ForgetClientRect();
  AlignMonthBoxesWithPreviewRows();

  UpdateFilterButton();
  // There is no system menu to extend on every desktop; the About entry is
  // offered in the dialog's context menu and on F1 instead.
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this, &MainDialog::ShowContextMenu);
  changeFolderAction_ = new QAction(QStringLiteral("Datenordner wechseln\u2026"), this);
  connect(changeFolderAction_, &QAction::triggered, this, [this] {
    if (!HasEnded()) ChangeDataFolder();
  });
  setWindowIcon(AppIcon());

  // The note of a print: a tooltip's look, no box to close, gone after a
  // while; a new print replaces it.
  printNote_ = new QLabel(this);
  printNote_->setObjectName(QStringLiteral("printNote"));
  printNote_->setPalette(QToolTip::palette());
  printNote_->setAutoFillBackground(true);
  printNote_->setFrameStyle(QFrame::Box | QFrame::Plain);
  printNote_->setMargin(3);
  printNote_->hide();
  printNoteTimer_ = new QTimer(this);
  printNoteTimer_->setSingleShot(true);
  printNoteTimer_->setInterval(kPrintNoteMs);
  connect(printNoteTimer_, &QTimer::timeout, printNote_, &QWidget::hide);

  // The print commands beside "&Drucken": in the button's menu, in the
  // context menu and on their shortcuts; Ctrl+P prints the selected card
  // like Enter.
  commands_ = new PrintCommands(*this);
  if (SplitButton* button = PrintButton()) {
    auto* menu = new QMenu(button);
    menu->setFont(font());  // a popup takes no font from the window
    connect(menu, &QMenu::aboutToShow, commands_, &PrintCommands::UpdateStates);
    menu->setToolTipsVisible(true);
    for (int c = 0; c < PrintCommands::kCommandCount; ++c)
      menu->addAction(commands_->Action(static_cast<PrintCommands::Command>(c)));
    button->SetMenu(menu);
  }
  auto* printCard = new QAction(this);
  printCard->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  printCard->setShortcutContext(Qt::WindowShortcut);
  printCard->setAutoRepeat(false);  // a held Ctrl+P prints once
  connect(printCard, &QAction::triggered, this, [this] {
    if (!HasEnded()) OnPrintPressed();
  });
  addAction(printCard);
}

void MainDialog::ResetRunState() {
  startDrive = 0;  // no drive letters here; nothing reads it
  languageCode = Strings().LanguageCode();
  dataDrive = 0;
  settingsChanged = 0;
  passwordFailed = 0;
  firstNameSort = ReadFirstNameSort(settingsFile_, languageCode);
}

MainDialog::FolderLoad MainDialog::LoadFolderData(const DataFolder& folder, CongregationData& into,
                                                  bool atFolderChange) {
  into.table.SetCodePage(CodePageForLanguage(languageCode));
  if (!into.table.Allocate(environment_.allocator)) {
    Messages().ShowMessage(kNoMemoryMessage, MessageIcon::kNone);
    return FolderLoad::kNoMemory;
  }
  bool refused = false;
  LoadCongregationData(
      into, folder,
      [this, atFolderChange](const PublisherTable& table) {
        return CheckDataPassword(table, atFolderChange);
      },
      refused);
  return refused ? FolderLoad::kRefused : FolderLoad::kLoaded;
}

void MainDialog::ShowFolderData() {
  if (IsPortuguese(languageCode) && data.table.Count() != 0) SortPublishersByName();
  FillPublisherList();
  useLongName = 1;
  // The box shows what the field says from the start (a selection change
  // checks it again as well).
  SetCheck(kLongNameBox, true);
}

void MainDialog::ReadSettingsAtStart() {
  Settings settings;
  ReadFormatAndMargins(settingsFile_, Strings(), settings);
  dateFormat = settings.dateFormat;
  lastNameFirst = settings.lastNameFirst;
  cardVersion = settings.cardVersion;
  storedForm = settings.form;
  form = settings.form;
  formFile = settings.formFile;
  unit = settings.unit;
  topMargin = settings.topMargin;
  leftMargin = settings.leftMargin;

  SetCheck(kLastNameFirstBox, lastNameFirst != 0);
  SetCheck(kPrintHeaderBox, true);
  SetCheck(kGenderTicksBox, false);
}

void MainDialog::LoadFolderLayout() {
  LoadLayoutOrDefaults(layout, cardVersion, environment_.dataFolder, Strings());
  layoutLoaded = true;
}

void MainDialog::CheckFormFileAtStart() {
  if (form != RecordForm::kOfficialForm) return;
  const std::string refusal = FormFileRefusal(formFile);
  if (refusal.empty()) return;
  Messages().ShowMessage(refusal + "\n\nGedruckt wird das Blatt S-21 11/23.",
                         MessageIcon::kWarning);
  form = RecordForm::kSheet1123;
}

void MainDialog::ConnectHandlers() {
  for (int i = 0; i < 12; ++i) OnClicked(kFirstMonthBox + i, [this] { OnMonthOrTotalsClicked(); });
  OnClicked(kTotalsBox, [this] { OnMonthOrTotalsClicked(); });
  OnClicked(kPreviousYearBox, [this] {
    ApplyMonthRule();
    FocusList();
  });
  OnClicked(kPrintHeaderBox, [this] { OnPrintHeaderClicked(); });
  OnClicked(kGenderTicksBox, [this] {
    Invalidate(kHeaderPane);
    FocusList();
  });
  OnClicked(kCompleteCardBox, [this] { OnCompleteCardClicked(); });
  OnClicked(kLongNameBox, [this] {
    useLongName = CheckState(kLongNameBox) ? 1 : 0;
    RefreshSelection();
    FocusList();
  });
  OnClicked(kLastNameFirstBox, [this] {
    lastNameFirst = CheckState(kLastNameFirstBox) ? 1 : 0;
    settingsChanged = 1;
    SaveSettingsNow();
    RefreshSelection();
    FocusList();
  });
  OnClicked(kFilterButton, [this] { OnFilterClicked(); });
  OnClicked(kOptionsButton, [this] { OnOptionsClicked(); });
  OnSelChange(kPublisherList, [this] { OnSelectionChanged(); });
}

std::filesystem::path MainDialog::DataFolderPath() const {
  std::error_code error;
  const std::filesystem::path& dir = environment_.dataFolder.Dir();
  // The working directory's files are opened by bare name.
  return dir.empty() ? std::filesystem::current_path(error) : std::filesystem::absolute(dir, error);
}

void MainDialog::ChangeDataFolder() {
  const std::filesystem::path current = DataFolderPath();
  FolderChooser choose = environment_.chooseFolder;
  if (!choose)
    choose = [this](const std::filesystem::path& openIn) { return AskForDataFolder(openIn, this); };
  std::optional<std::filesystem::path> chosen =
      AskForFolderWithData(current, current, choose, Messages());
  if (!chosen) {
    FocusList();
    return;
  }
  // The layout edited so far belongs to the folder being left.
  if (layoutLoaded) SaveLayoutBeforeLeaving();

  // Loaded beside the data in use, so that a refused password (or no
  // memory) leaves the old folder loaded as it was.
  const DataFolder folder(*chosen);
  CongregationData incoming;
  if (LoadFolderData(folder, incoming, true) != FolderLoad::kLoaded) {
    FocusList();
    return;
  }
  data = std::move(incoming);
  environment_.dataFolder = folder;
  Messages().ShowSaveFailure(settingsFile_.Path(), RememberDataFolder(settingsFile_, *chosen));
  titleFolder_ = *chosen;

  // As at start: every publisher listed, whether one has no group worked
  // out anew, and the layout of the current card version from the new
  // folder. The settings belong to the user and stay as they are.
  publisherFilter = 0;
  filterGroup = 0;
  hasUnassigned = 0;
  extendedInfo = ExtendedInfo();
  UpdateFilterButton();
  ShowFolderData();
  LoadFolderLayout();
  UpdateTitle();
  FocusList();
}

void MainDialog::AlignMonthBoxesWithPreviewRows() {
  // The body preview has 14 rows: the heading, September .. August, the
  // totals. The template's box positions only approximate them in dialog
  // units, and a style's box may be as tall as a row; the boxes get
  // indicators that leave a little room between them.
  const QRect pane = BodyPane()->geometry();
  const int rowHeight = pane.height() / kBodyPreviewRows;
  if (rowHeight <= 0) return;
  auto* compact = new CompactIndicatorStyle(rowHeight - 3);
  compact->setParent(this);
  auto place = [&](int id, int row) {
    QWidget* box = Control(id);
    if (!box) return;
    box->setStyle(compact);
    const QSize size = box->sizeHint().boundedTo(QSize(box->width(), rowHeight));
    const int top =
        BodyRowBoxTop({pane.x(), pane.y(), pane.width(), pane.height()}, row, size.height());
    box->setGeometry(box->x(), top, std::max(box->width(), size.width()), size.height());
  };
  for (int i = 0; i < 12; ++i) place(kFirstMonthBox + i, i + 1);
  place(kTotalsBox, 13);
}

void MainDialog::FocusList() {
  SetFocusTo(kPublisherList);
}

void MainDialog::UpdateTitle() {
  std::string name =
      IsSheetForm(form) ? std::string(kSheetFormName) : CardVersionName(Strings(), cardVersion);
  if (form == RecordForm::kOfficialForm)
    name = std::string(kOfficialFormName) + " (" +
           std::filesystem::path(formFile).filename().string() + ")";
  std::string title = Strings().Get(str::kProgramName) + " - " + name;
  // After a change of the data folder the title says which one is loaded.
  if (!titleFolder_.empty()) title += " - " + titleFolder_.string();
  SetTitle(title);
}

void MainDialog::UpdateFilterButton() {
  SetText(kFilterButton, FilterCaption(PublisherFilter{publisherFilter, filterGroup}, Strings()));
}

void MainDialog::FillPublisherList() {
  PublisherListBox* list = PublisherList();
  list->ResetContent();
  bool unassigned = hasUnassigned != 0;
  std::vector<PublisherListLine> lines =
      PublisherListLines(data.table, PublisherFilter{publisherFilter, filterGroup}, reportMonth,
                         reportYearShort, firstNameSort != 0, unassigned);
  if (unassigned) hasUnassigned = 1;
  for (const PublisherListLine& line : lines) {
    int index = list->AddString(line.text);
    list->SetItemData(index, EncodeListItem(line.Item()));
  }
  list->SetCurSel(list->Count() > 0 ? 0 : -1);
  RefreshSelection();
  FocusList();
}

void MainDialog::RefreshSelection() {
  ListBox* list = PublisherList();
  const ListItem item = DecodeListItem(list->GetItemData(list->GetCurSel()));
  selectedPublisher = item.recordIndex;
  selectedTotals = item.totals;
  ApplyNameBoxStates();
  officialPanes_->ReadFormFileAgain();
  Invalidate(kHeaderPane);
  Invalidate(kBodyPane);
}

void MainDialog::SortPublishersByName() {
  morvind::SortPublishersByName(data.table, firstNameSort != 0);
}

void MainDialog::OnSelectionChanged() {
  useLongName = 1;
  SetCheck(kLongNameBox, true);
  RefreshSelection();
}

void MainDialog::OnFilterClicked() {
  // The congregation's totals records exist only on the sheet S-21 11/23.
  PublisherFilter next =
      NextFilter(PublisherFilter{publisherFilter, filterGroup}, data.groups.GroupCount(),
                 hasUnassigned != 0, IsSheetForm(form));
  publisherFilter = next.filter;
  filterGroup = next.filterGroup;
  UpdateFilterButton();
  FillPublisherList();
  FocusList();
}

void MainDialog::ApplyMonthRule() {
  previousServiceYear = CheckState(kPreviousYearBox) ? 1 : 0;
  Invalidate(kBodyPane);
  MonthBoxStates states = MonthRule(CheckState(kPreviousYearBox), reportMonth, form);
  for (int i = 0; i < 12; ++i) Enable(kFirstMonthBox + i, states.monthEnabled[i]);
  if (states.uncheckTotals) SetCheck(kTotalsBox, false);
  Enable(kTotalsBox, states.totalsEnabled);
  // The sheet's rows are not the pane's fourteenths, and none of the boxes
  // can be chosen with it: they would only stand beside the wrong rows.
  for (int i = 0; i < 12; ++i) Show(kFirstMonthBox + i, !IsSheetForm(form));
  Show(kTotalsBox, !IsSheetForm(form));
}

void MainDialog::ApplyCardVersionStates() {
  CardVersionStates states = PrintOptionRule(form, cardVersion);
  for (int id : {kPrintHeaderBox, kCompleteCardBox, kPreviousYearBox}) {
    bool allowed = id == kPrintHeaderBox    ? states.allowHeader
                   : id == kCompleteCardBox ? states.allowCompleteCard
                                            : states.allowPreviousYear;
    if (!allowed && states.clearDisallowed) SetCheck(id, false);
    Enable(id, allowed);
  }
  ApplyNameBoxStates();
  if (!states.allowGenderTicks) Enable(kGenderTicksBox, false);
}

void MainDialog::ApplyNameBoxStates() {
  // The boxes keep their check states, and useLongName and lastNameFirst
  // stay as they are: a totals record has no name of a person to choose.
  const bool publisher = !selectedTotals;
  Enable(kLongNameBox, publisher && PrintOptionRule(form, cardVersion).allowLongName);
  Enable(kLastNameFirstBox, publisher);
}

void MainDialog::ApplyFormStates() {
  ApplyMonthRule();
  Enable(kGenderTicksBox,
         PrintOptionRule(form, cardVersion).allowGenderTicks && CheckState(kPrintHeaderBox));
}

void MainDialog::OnMonthOrTotalsClicked() {
  SetCheck(kPrintHeaderBox, false);
  Invalidate(kHeaderPane);
  Invalidate(kBodyPane);
  FocusList();
}

void MainDialog::OnPrintHeaderClicked() {
  SetCheck(kGenderTicksBox, false);
  Enable(kGenderTicksBox, CheckState(kPrintHeaderBox));
  Invalidate(kHeaderPane);
  FocusList();
}

void MainDialog::OnCompleteCardClicked() {
  if (CheckState(kCompleteCardBox)) {
    completeCard = 1;
    SetCheck(kPrintHeaderBox, true);
    Enable(kPrintHeaderBox, false);
    for (int i = 0; i < 12; ++i) {
      SetCheck(kFirstMonthBox + i, true);
      Enable(kFirstMonthBox + i, false);
    }
    // The complete card is drawn on version 0's layout; the layout held
    // before is not saved.
    cardVersion = 0;
    LoadLayoutOrDefaults(layout, cardVersion, environment_.dataFolder, Strings());
    UpdateTitle();
    ApplyMonthRule();
  } else {
    completeCard = 0;
    ApplyMonthRule();
    for (int i = 0; i < 12; ++i) {
      SetCheck(kFirstMonthBox + i, false);
      Enable(kFirstMonthBox + i, true);
    }
    Enable(kPrintHeaderBox, true);
  }
  RefreshSelection();
  FocusList();
}

void MainDialog::OnOptionsClicked() {
  OptionsDialog options(
      Ui(),
      [printer = environment_.printer](QWidget* parent) {
        if (printer) printer->RunSetup(parent);
      },
      environment_.dataFolder, this);
  options.dateFormat = dateFormat;
  options.topMargin = topMargin;
  options.leftMargin = leftMargin;
  options.layout = layout;
  options.firstNameSort = firstNameSort != 0;
  options.showFirstNameSort = IsPortuguese(languageCode);
  options.cardVersion = cardVersion;
  options.completeCard = completeCard != 0;
  options.form = static_cast<int>(storedForm);
  options.formFile = formFile;
  options.chooseFormFile = [this](QWidget* parent, const std::filesystem::path& current) {
    return AskForFormFile(commands_->Dialogs(), parent, current);
  };
  options.checkFormFile = [](const std::filesystem::path& file) {
    return FormFileRefusal(file.string());
  };
  options.unit = unit;
  bool formChanged = false;
  bool changedNow = false;
  bool layoutChanged = false;
  if (options.DoModal() == kIdOk) {
    // The form in print changes only when the choice does: an official
    // form that gave way to the sheet at start stays so until it is chosen
    // again (its file was checked then).
    const bool choiceChanged =
        options.form != static_cast<int>(storedForm) || options.formFile != formFile;
    if (choiceChanged && options.form >= 0 &&
        options.form <= static_cast<int>(RecordForm::kOfficialForm)) {
      storedForm = static_cast<RecordForm>(options.form);
      formChanged = storedForm != form;
      form = storedForm;
      formFile = options.formFile;
    }
    layoutChanged = !(options.layout == layout) || options.cardVersion != cardVersion;
    changedNow = options.dateFormat != dateFormat || options.topMargin != topMargin ||
                 options.leftMargin != leftMargin || layoutChanged || choiceChanged ||
                 options.unit != unit;
    unit = options.unit;
    topMargin = options.topMargin;
    leftMargin = options.leftMargin;
    dateFormat = options.dateFormat;
    cardVersion = options.cardVersion;
    if (IsPortuguese(languageCode)) {
      if ((options.firstNameSort ? 1 : 0) != firstNameSort) changedNow = true;
      firstNameSort = options.firstNameSort ? 1 : 0;
      if (changedNow || settingsChanged) SortPublishersByName();
    } else {
      firstNameSort = 0;
    }
    if (changedNow) settingsChanged = 1;
    layout = options.layout;
  }
  if (!IsSheetForm(form) && IsCongregationFilter(PublisherFilter{publisherFilter, filterGroup})) {
    // The card S-21 10/15 has no totals records: the list shows every
    // publisher again.
    publisherFilter = 0;
    filterGroup = 0;
    UpdateFilterButton();
  }
  if (settingsChanged) {
    FillPublisherList();
    ApplyCardVersionStates();
    if (formChanged) ApplyFormStates();
    commands_->UpdateStates();
    UpdateTitle();
    commands_->UpdateStates();
    RefreshSelection();
  }
  // morvind-print, run beside the window, reads what was chosen at once,
  // and a crash loses nothing.
  if (changedNow) SaveSettingsNow();
  if (layoutChanged) SaveLayoutBeforeLeaving();
  FocusList();
}

bool MainDialog::CheckDataPassword() {
  return CheckDataPassword(data.table, false);
}

bool MainDialog::CheckDataPassword(const PublisherTable& table, bool atFolderChange) {
  std::string_view stored = table.RawText(0, record::kFirstName);
  if (stored == " ") return true;
  // At start the window is not shown yet; at a change it is, and the
  // dialog stands over it.
  PasswordDialog dialog(Ui(), table.GetCodePage(), atFolderChange ? this : nullptr);
  dialog.expectedPassword = std::string(stored);
  dialog.offerCancel = atFolderChange;
  dialog.DoModal();
  return dialog.accepted == 1;
}

CardTexts MainDialog::CurrentCardTexts() {
  if (selectedTotals) {
    extendedInfo.Clear();
    return TotalsCardTexts(*selectedTotals);
  }
  return CardTextsFor(data, selectedPublisher, useLongName != 0, lastNameFirst != 0,
                      completeCard != 0, environment_.dataFolder, extendedInfo);
}

CardRequest MainDialog::BuildCardRequest() const {
  CardRequest request;
  request.table = &data.table;
  request.remarks = &data.remarks;
  request.strings = &Strings();
  request.publisher = selectedPublisher;
  request.totalsRecord = selectedTotals;
  request.cardName = cardName;
  request.cardMobile = cardMobile;
  request.layout = layout;
  request.form = form;
  request.cardVersion = cardVersion;
  request.topMargin = topMargin;
  request.leftMargin = leftMargin;
  request.languageCode = languageCode;
  request.fontCharset = fontCharset;
  request.dateFormat = dateFormat;
  request.reportMonth = reportMonth;
  request.reportYearShort = reportYearShort;
  request.currentYear = currentYear;
  request.lastNameFirst = lastNameFirst != 0;
  request.useLongName = useLongName != 0;
  request.completeCard = completeCard != 0;
  request.previousServiceYear = previousServiceYear != 0;
  request.printHeader = CheckState(kPrintHeaderBox);
  request.genderTicks = CheckState(kGenderTicksBox);
  request.previousYearBox = CheckState(kPreviousYearBox);
  request.totals = CheckState(kTotalsBox);
  for (int i = 0; i < 12; ++i) request.months[i] = CheckState(kFirstMonthBox + i);
  return request;
}

PrintState MainDialog::PrintState() {
  morvind::PrintState state;
  state.data = &data;
  state.filter = PublisherFilter{publisherFilter, filterGroup};
  state.form = form;
  state.formFile = formFile;
  state.firstNameSort = firstNameSort != 0;
  state.unit = unit;
  return state;
}

void MainDialog::DrawHeaderPreview(int left, int top, int right, int bottom,
                                   DrawingSurface& surface) {
  if (data.table.Count() == 0) return;
  CardTexts texts = CurrentCardTexts();
  Show(kLongNameBox, texts.showLongNameBox);
  Show(kLastNameFirstBox, texts.showLastNameFirstBox);
  Show(kGenderTicksBox, texts.showGenderBox);
  if (texts.checkGenderBox) SetCheck(kGenderTicksBox, true);
  cardName = texts.cardName;
  cardMobile = texts.cardMobile;
  if (form == RecordForm::kOfficialForm) return;  // rendered by PaintOfficialForm
  if (IsSheetForm(form) || selectedTotals) {
    DrawSheetHeaderPreview(left, top, right, bottom, surface, BuildCardRequest());
  } else {
    morvind::DrawHeaderPreview(left, top, right, bottom, surface, BuildCardRequest());
  }
}

CardRequest MainDialog::BodyPreviewRequest() const {
  CardRequest request = BuildCardRequest();
  // The body shows the publisher of the list's current selection.
  ListBox* list = PublisherList();
  const ListItem item = DecodeListItem(list->GetItemData(list->GetCurSel()));
  request.publisher = item.IsNone() ? -1 : item.recordIndex;
  request.totalsRecord = item.totals;
  if (!item.totals && !data.table.IsValidIndex(request.publisher)) request.publisher = -1;
  return request;
}

void MainDialog::PaintOfficialForm(FormArea area, QPainter& painter, const QRect& client) {
  if (form != RecordForm::kOfficialForm || data.table.Count() == 0) return;
  // The header pane's paint chose the texts of the publisher shown.
  officialPanes_->Paint(area, formFile, BodyPreviewRequest(), painter, client);
}

void MainDialog::DrawBodyPreview(int left, int top, int right, int bottom,
                                 DrawingSurface& surface) {
  if (form == RecordForm::kOfficialForm) return;  // rendered by PaintOfficialForm
  const CardRequest request = BodyPreviewRequest();
  if (IsSheetForm(form) || request.totalsRecord) {
    DrawSheetTablePreview(left, top, right, bottom, surface, request);
  } else {
    morvind::DrawBodyPreview(left, top, right, bottom, surface, request, 1, 1);
  }
}

bool MainDialog::SelectionPrints() const {
  return selectedTotals ||
         !Trimmed(PublisherName(data.table, selectedPublisher, lastNameFirst != 0)).empty();
}

std::optional<CardRequest> MainDialog::SelectedCardRequest() {
  if (!SelectionPrints()) return std::nullopt;
  // The texts are chosen now, for the publisher selected now, not taken
  // from the preview's last paint (which may belong to an earlier selection).
  CardTexts texts = CurrentCardTexts();
  cardName = texts.cardName;
  cardMobile = texts.cardMobile;
  return BuildCardRequest();
}

QPrinter* MainDialog::CurrentPrinter() const {
  return environment_.printer ? environment_.printer->Current() : nullptr;
}

PrintResult MainDialog::Print(QPrinter& printer, const std::vector<CardRequest>& cards,
                              const CardDocumentOptions& options) {
  // The official form is filled, not drawn: its print job is the filled PDF.
  if (!cards.empty() && cards.front().form == RecordForm::kOfficialForm)
    return commands_->PrintOfficialForms(printer, cards, options);
  return environment_.print ? environment_.print(printer, cards, options)
                            : PrintCards(printer, cards, options);
}

void MainDialog::OnPrintPressed() {
  // Printing is synchronous: the second click of a double click waits in
  // the queue while the first prints and keeps the stamp of its moment.
  if (printPresses_.Accept(eventClock_->CurrentEventTime(),
                           QGuiApplication::styleHints()->mouseDoubleClickInterval()))
    PrintCard();
}

void MainDialog::PrintCard() {
  if (!SelectionPrints()) return;
  QPrinter* printer = commands_->PrinterOrOffer(PrintCommands::PdfOffer::kCard);
  if (!printer) return;
  std::optional<CardRequest> card = SelectedCardRequest();
  if (card && ConfirmPaperWidth(printer->pageLayout(), *card, "Drucken"))
    commands_->PrintRecord(*printer, *card, {});
  FocusList();
}

bool MainDialog::ConfirmPaperWidth(const QPageLayout& page, const CardRequest& request,
                                   const char* goOn) {
  if (request.form != RecordForm::kSheet1123) return true;
  // The drawing starts at the printable area's left edge; what passes its
  // right edge is lost.
  const int printable = static_cast<int>(page.paintRect(QPageLayout::Inch).width() * 100);
  if (SheetFitsPrintableWidth(request, printable)) return true;
  auto length = [this](int hundredths) {
    if (unit == LengthUnit::kMillimetre)
      return QStringLiteral("%1 mm").arg((hundredths * 254 + 500) / 1000);
    return QStringLiteral("%1 Zoll").arg(hundredths / 100.0, 0, 'f', 2);
  };
  const QString text =
      QStringLiteral(
          "Das Blatt S-21 11/23 ist mit dem linken Rand %1 breit, der Drucker bedruckt auf "
          "seinem Papier nur %2. Rechts fehlt dann ein Teil des Blatts. (Die "
          "Druckereinstellung bleibt, wie sie ist.)\n\nTrotzdem fortfahren?")
          .arg(length(SheetWidthWithMargin(request)), length(printable));
  return Messages().Ask(FromQt(text), goOn, "Abbrechen");
}

void MainDialog::ShowAboutBox() {
  std::string directory = environment_.dataFolder.Dir().empty()
                              ? WorkingDirectoryText()
                              : std::filesystem::absolute(environment_.dataFolder.Dir()).string();
  AboutDialog about(Ui(), directory, this);
  about.DoModal();
}

void MainDialog::OnSysCommand(int command) {
  if ((command & ~0xF) == kAboutCommand) ShowAboutBox();
}

QAction* MainDialog::FillContextMenu(QMenu& menu) {
  commands_->AddTo(menu);
  menu.addSeparator();
  menu.addAction(changeFolderAction_);
  std::string entry = Strings().Get(str::kAboutMenuItem);
  return entry.empty() ? nullptr : menu.addAction(ToQt(entry));
}

void MainDialog::ShowContextMenu(const QPoint& position) {
  QMenu menu(this);
  menu.setFont(font());
  QAction* about = FillContextMenu(menu);
  QAction* chosen = menu.exec(mapToGlobal(position));
  if (chosen && chosen == about) OnSysCommand(kAboutCommand);
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    OnSysCommand(kAboutCommand);
    return;
  }
  Dialog::keyPressEvent(event);
}

Settings MainDialog::CurrentSettings() const {
  Settings settings;
  settings.dateFormat = dateFormat;
  settings.lastNameFirst = lastNameFirst;
  settings.cardVersion = cardVersion;
  settings.form = storedForm;
  settings.formFile = formFile;
  settings.unit = unit;
  settings.topMargin = topMargin;
  settings.leftMargin = leftMargin;
  settings.dataDrive = dataDrive;
  settings.firstNameSort = firstNameSort;
  return settings;
}

void MainDialog::OnCancel() {
  data.table.Release();
  // A file that can't be saved is named at once; the program still ends.
  if (settingsChanged) SaveSettingsNow();
  if (layoutLoaded) SaveLayoutBeforeLeaving();
  // On its own: the window's size makes no other setting be written, and
  // a file that can't take it is not worth a message.
  geometry_.SavePlacement();
  EndDialog(kIdCancel);
}

void MainDialog::SaveSettingsNow() {
  Messages().ShowSaveFailure(settingsFile_.Path(),
                             SaveSettings(settingsFile_, CurrentSettings(), languageCode));
}

void MainDialog::SaveLayoutBeforeLeaving() {
  Messages().ShowSaveFailure(
      environment_.dataFolder.PathOf(LayoutFileName(cardVersion)),
      SaveLayoutEdits(layout, cardVersion, environment_.dataFolder, Strings()));
}

}  // namespace morvind
