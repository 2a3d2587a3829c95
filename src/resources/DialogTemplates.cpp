#include <array>

#include "resources/DialogTemplate.h"

namespace morvind {
namespace {

using K = ControlKind;
constexpr unsigned kCheck = kTabStop;
constexpr unsigned kButton = kTabStop;
constexpr unsigned kField = kBorder | kTabStop | kAutoHScroll;
constexpr unsigned kSpin = kAutoBuddy | kArrowKeys | kAlignRightOfBuddy;

DialogTemplate AboutTemplate() {
  return {kAboutTemplate,
          "About morvind",
          217,
          100,
          "MS Sans Serif",
          8,
          kSystemMenu | kModalFrame,
          {
              {kStaticId, K::kIcon, "", 0, 11, 17, 21, 20},
              {kStaticId, K::kStatic, "MORVIND Version 5a", 0, 40, 13, 119, 8},
              {kStaticId, K::kStatic,
               "Druckt die Verkündigerkarte S-21\nmit den Daten von Ostrel\n"
               "© Morvind-Entwickler",
               0, 41, 26, 132, 26},
              {kIdOk, K::kDefPushButton, "OK", kButton | kGroupStart, 177, 22, 32, 14},
              {kStaticId, K::kGroupBox, " Directory ", 0, 5, 55, 206, 40},
              {1068, K::kStatic, "", 0, 13, 69, 190, 18},
          }};
}

DialogTemplate MainTemplate() {
  std::vector<ControlTemplate> controls = {
      {1000, K::kListBox, "", kNotify | kVScroll | kBorder | kNoIntegralHeight | kTabStop, 6, 6, 90,
       219},
      {1006, K::kOwnerDraw, "", kDisabled, 104, 7, 367, 52},
      {1007, K::kCheckBox, "Familienname &Zuerst", kCheck, 106, 61, 81, 10},
      {1010, K::kCheckBox, "&Langer Name", kCheck, 226, 61, 67, 10},
      {1030, K::kCheckBox, "Drucke &Kartenkopf", kCheck, 340, 60, 72, 10},
      {1031, K::kCheckBox, "m/w", kCheck, 425, 60, 41, 10},
      {129, K::kOwnerDraw, "", kDisabled, 106, 74, 350, 133},
  };
  // The month boxes stand level with the rows of the body preview.
  constexpr std::array<int, 12> kMonthBoxY = {85,  95,  104, 113, 122, 131,
                                              140, 150, 159, 168, 178, 187};
  for (int i = 0; i < 12; ++i)
    controls.push_back({1015 + i, K::kCheckBox, "", kCheck, 462, kMonthBoxY[i], 8, 8});
  std::vector<ControlTemplate> rest = {
      {1028, K::kCheckBox, "", kCheck, 462, 196, 8, 8},
      {1027, K::kCheckBox, "Vorheriges Dienstjahr", kCheck, 114, 215, 110, 10},
      {1032, K::kCheckBox, "Komplette Karte drucken", kCheck | kHidden, 280, 216, 110, 10},
      {1029, K::kPushButton, "", kButton, 5, 232, 91, 14},
      {1014, K::kPushButton, "&Optionen", kButton, 115, 232, 63, 14},
      {kIdOk, K::kDefPushButton, "&Drucken", kButton, 269, 232, 62, 14},
      {kIdCancel, K::kPushButton, "&Fertig", kButton, 405, 232, 62, 14},
  };
  controls.insert(controls.end(), rest.begin(), rest.end());
  return {kMainTemplate,
          "Morvind",
          477,
          252,
          "MS Sans Serif",
          8,
          kSystemMenu | kModalFrame | kInTaskBar | kResizable,
          std::move(controls)};
}

DialogTemplate PasswordTemplate() {
  return {kPasswordTemplate,
          "Password Required",
          137,
          52,
          "MS Sans Serif",
          8,
          kModalFrame,
          {
              {245, K::kStatic, "", 0, 9, 12, 120, 9},
              {244, K::kEdit, "", kField | kPasswordStyle, 9, 28, 84, 12},
              {kIdOk, K::kDefPushButton, "OK", kButton, 104, 28, 25, 14},
              // Shown only when the password is asked for at a change of the
              // data folder, where declining keeps the folder loaded before;
              // the dialog then grows by its row.
              {kIdCancel, K::kPushButton, "Abbrechen", kButton | kHidden, 79, 46, 50, 14},
          }};
}

DialogTemplate OptionsTemplate() {
  // The two upper groups are a row taller than the template drew them, for
  // the fifth date format; everything below them moves down by that row.
  return {
      kOptionsTemplate,
      "",
      271,
      270,
      "MS Sans Serif",
      8,
      kModalFrame,
      {
          {kStaticId, K::kGroupBox, " Ränder ", 0, 8, 5, 100, 66},
          // The unit heading and the notes carry ids: they name the unit shown.
          {1023, K::kStatic, "Zoll", kTextCentered, 77, 16, 22, 8},
          {kStaticId, K::kStatic, "Oberer", kTextRight, 13, 29, 58, 8},
          {1014, K::kEdit, "", kField | kTextCentered, 77, 26, 24, 12},
          {kStaticId, K::kStatic, "Linker", kTextRight, 13, 41, 57, 8},
          {1019, K::kEdit, "", kField | kTextCentered, 77, 39, 24, 12},
          {kStaticId, K::kGroupBox, " Datumformat ", 0, 116, 5, 79, 66},
          {1015, K::kRadioButton, "01/31/02 ", kGroupStart, 124, 17, 51, 10},
          {1016, K::kRadioButton, "31/01/02  ", 0, 124, 27, 48, 10},
          {1017, K::kRadioButton, "Jan 31, 2002  ", 0, 124, 37, 58, 10},
          {1018, K::kRadioButton, "31 Jan, 2002 ", 0, 124, 47, 58, 10},
          {1020, K::kRadioButton, "31.01.2002", 0, 124, 57, 58, 10},
          {kStaticId, K::kGroupBox, " Hauptteil (monatliche Daten)  ", kGroupStart, 5, 74, 260, 70},
          {kStaticId, K::kStatic, "Oberkante Hauptteil", 0, 24, 89, 68, 8},
          {1059, K::kStatic, "Static", 0, 106, 88, 30, 13},
          {1057, K::kUpDown, "", kSpin, 96, 87, 11, 14},
          {1024, K::kStatic, "(in Zoll vom oberen Rand)", 0, 158, 89, 93, 8},
          {kStaticId, K::kStatic, "Höhe des Hauptteils", 0, 25, 107, 68, 8},
          {1060, K::kStatic, "Static", 0, 106, 106, 30, 13},
          {1058, K::kUpDown, "", kSpin, 96, 107, 11, 14},
          {kStaticId, K::kStatic, "(12 Datenreihen)", 0, 158, 107, 93, 8},
          {1013, K::kPushButton, "Datenverzeichnis", kHidden, 203, 15, 63, 14},
          // The first-name sort exists only for "portuguese"; created hidden.
          // It starts level with Cancel and OK and runs almost to the
          // dialog's edge: the caption needs the room beside the box.
          {1082, K::kCheckBox, "Vorname zuerst", kCheck | kHidden, 200, 30, 70, 10},
          {1012, K::kPushButton, "Druckereinstellung", kButton, 203, 45, 63, 14},
          {kIdCancel, K::kPushButton, "Abbrechen", kButton, 200, 155, 64, 14},
          {kIdOk, K::kDefPushButton, "OK", kButton, 200, 185, 64, 14},
          {1061, K::kPushButton, "Reset auf Standardeinstellungen", kButton, 53, 128, 156, 11},
          {1062, K::kPushButton, "Layout Einzelheiten", kButton, 6, 190, 145, 14},
          {1067, K::kListBox, "", kNotify | kNoIntegralHeight | kVScroll | kBorder | kTabStop, 6,
           147, 145, 40},
          // The unit of every length here and in "Layout Einzelheiten",
          // between the version list and the buttons.
          {kStaticId, K::kGroupBox, " Einheit ", 0, 156, 147, 40, 40},
          {1021, K::kRadioButton, "Zoll", kGroupStart, 162, 159, 32, 10},
          {1022, K::kRadioButton, "mm", 0, 162, 172, 32, 10},
          // The record form, in a group of its own under everything else:
          // the two forms Morvind draws, then the congregation's own PDF
          // form with the button that chooses its file and the file's name.
          {kStaticId, K::kGroupBox, " Formular ", kGroupStart, 5, 209, 260, 56},
          {1090, K::kRadioButton, "Karte S-21 10/15", kGroupStart, 14, 221, 100, 10},
          {1091, K::kRadioButton, "Blatt S-21 11/23", 0, 130, 221, 100, 10},
          {1092, K::kRadioButton, "Amtliches Formular (PDF-Datei)", 0, 14, 234, 130, 10},
          {1093, K::kPushButton, "Formulardatei…", kButton | kGroupStart, 184, 232, 74, 14},
          {1094, K::kStatic, "", 0, 26, 249, 232, 8},
      }};
}

DialogTemplate LayoutDetailsTemplate() {
  static constexpr std::array<std::string_view, 12> kRowLabels = {"Name                  ",
                                                                  "Adresse",
                                                                  "Telefon",
                                                                  "Handy",
                                                                  "Geburtsdatum",
                                                                  "Datum der Taufe",
                                                                  "Gesalbter o. a.S.",
                                                                  "[x] Ältester",
                                                                  "[x] Allg. Pionier",
                                                                  "[x] Dienstamtgehilfe",
                                                                  "[x] männlich",
                                                                  "[x] weiblich"};
  std::vector<ControlTemplate> controls = {
      {kStaticId, K::kGroupBox, " Kartenkopf ", 0, 5, 5, 170, 261},
      {kStaticId, K::kStatic, "X", 0, 98, 14, 8, 8},
      {kStaticId, K::kStatic, "Y", 0, 144, 14, 8, 8},
  };
  // Each header row: its label, then the X and the Y field (tab order X, Y).
  for (int i = 0; i < 12; ++i) {
    int y = 25 + 16 * i;
    controls.push_back({kStaticId, K::kStatic, kRowLabels[i], 0, 14, y + 3, 64, 8});
    controls.push_back({1031 + i, K::kEdit, "", kField, 81, y, 40, 14});
    controls.push_back({1043 + i, K::kEdit, "", kField, 128, y, 40, 14});
  }
  std::vector<ControlTemplate> body = {
      // The notes that name the unit carry ids: they change with it.
      {1080, K::kStatic,
       "X Koordinaten sind in Zoll vom linken Rand\n"
       "Y Koordinaten sind in Zoll vom oberen Rand",
       0, 14, 227, 154, 20},
      {1081, K::kStatic, "Beispiele:  1.52    0.80    0.00    2.15", 0, 14, 251, 153, 8},
      {kStaticId, K::kGroupBox, " Hauptteil ", 0, 180, 5, 232, 204},
      {kStaticId, K::kStatic, "Start (September)", 0, 190, 28, 68, 8},
      {1066, K::kEdit, "", kField, 262, 25, 40, 14},
      {1083, K::kStatic, "(in Zoll vom oberen Rand)", 0, 311, 28, 93, 8},
      {kStaticId, K::kStatic, "Höhe des Hauptteils", 0, 190, 44, 68, 8},
      {1067, K::kEdit, "", kField, 262, 41, 40, 14},
      {kStaticId, K::kStatic, "(12 Datenreihen)", 0, 311, 45, 93, 8},
      {kStaticId, K::kGroupBox, " Abstände der monatlichen Daten  ", 0, 185, 65, 220, 139},
      {1084, K::kStatic, "Abmaße sind in Zoll beginnend am linken Rand", 0, 311, 85, 85, 24},
      {kStaticId, K::kStatic, "Zahlen werden rechtsbündig gedruckt", 0, 310, 120, 85, 18},
      // 18 units high like the note above it: two wrapped lines of the
      // dialog font need a little more than twice its height, and at 16 the
      // descenders of the second line were cut off.
      {kStaticId, K::kStatic, "Bemerkungen werden linksbündig gedruckt", 0, 310, 178, 87, 18},
  };
  controls.insert(controls.end(), body.begin(), body.end());
  // The column fields 1068..1074 with their labels; several labels carry ids
  // because the dialog renames them when it opens.
  static constexpr std::array<int, 7> kColumnLabelIds = {1076, 1075, kStaticId, 1077,
                                                         1078, 1079, kStaticId};
  static constexpr std::array<std::string_view, 7> kColumnLabels = {
      "Bücher",      "Brosch.",      "Stunden",    "Zeitschriften",
      "Rückbesuche", "Bibelstudien", "Bemerkungen"};
  for (int j = 0; j < 7; ++j) {
    int y = 83 + 16 * j;
    controls.push_back({kColumnLabelIds[j], K::kStatic, kColumnLabels[j], 0, 195, y + 3, 64, 8});
    controls.push_back({1068 + j, K::kEdit, "", kField, 263, y, 40, 14});
  }
  std::vector<ControlTemplate> buttons = {
      {kIdOk, K::kDefPushButton, "OK", kButton, 362, 250, 50, 14},
      {kIdCancel, K::kPushButton, "Abbrechen", kButton, 180, 250, 50, 14},
      {1064, K::kPushButton, "", kButton, 180, 223, 232, 14},
  };
  controls.insert(controls.end(), buttons.begin(), buttons.end());
  return {kLayoutDetailsTemplate, "", 418,         271,
          "MS Sans Serif",        8,  kModalFrame, std::move(controls)};
}

}  // namespace

const ControlTemplate* DialogTemplate::Find(int controlId) const {
  for (const ControlTemplate& control : controls)
    if (control.id == controlId && controlId != kStaticId) return &control;
  return nullptr;
}

const DialogTemplate* FindDialogTemplate(int templateId) {
  static const std::array<DialogTemplate, 5> kTemplates = {AboutTemplate(), MainTemplate(),
                                                           PasswordTemplate(), OptionsTemplate(),
                                                           LayoutDetailsTemplate()};
  for (const DialogTemplate& dialog : kTemplates)
    if (dialog.id == templateId) return &dialog;
  return nullptr;
}

}  // namespace morvind
