#pragma once

#include <array>
#include <string_view>

namespace morvind::sheet {

// The sheet S-21 11/23 as the program draws it on plain paper: every
// position and width in hundredths of an inch from the form's top-left
// corner, x to the right, y downwards. A text's y is the top of its line.

inline constexpr int kWidth = 700;  // fits A4 and Letter with margins

// The title, centred over the form.
inline constexpr int kTitleTop = 0;

// The header: the top of each line of labels.
inline constexpr int kNameTop = 40;
inline constexpr int kBirthTop = 75;
inline constexpr int kBaptismTop = 110;
inline constexpr int kRolesTop = 150;
inline constexpr int kHeaderBottom = 170;  // below the line of role boxes

// A fill-in rule starts kRuleGap right of its label's end and lies
// kRuleDrop below the label's top. The data on it start kDataInset right of
// the rule's start and kDataRise above the label's top, so that their
// larger font stands on the label's baseline.
inline constexpr int kRuleGap = 5;
inline constexpr int kRuleDrop = 13;
inline constexpr int kDataInset = 5;
inline constexpr int kDataRise = 3;
inline constexpr int kDateRuleEnd = 440;  // the date rules end before the boxes at the right

// A tick box stands in front of its label: its bottom-right corner lies
// kBoxGap left of the label and kBoxDrop below the label's top.
inline constexpr int kBoxGap = 4;
inline constexpr int kBoxDrop = 10;

// Where the labels of the header's tick boxes begin.
inline constexpr int kMaleX = 480;    // also "Other sheep"
inline constexpr int kFemaleX = 590;  // also "Anointed"
inline constexpr int kElderX = 15;
inline constexpr int kServantX = 95;
inline constexpr int kRegularPioneerX = 245;
inline constexpr int kSpecialPioneerX = 380;
inline constexpr int kFieldMissionaryX = 515;

// The table: a heading row, twelve month rows and the total row.
inline constexpr int kTableTop = 190;
inline constexpr int kHeadingHeight = 50;
inline constexpr int kRowHeight = 30;  // room for a correction by hand
inline constexpr int kFirstRowTop = kTableTop + kHeadingHeight;
inline constexpr int kTotalRowTop = kFirstRowTop + 12 * kRowHeight;
inline constexpr int kTableBottom = kTotalRowTop + kRowHeight;

struct Column {
  int left;
  int width;
  constexpr int Right() const { return left + width; }
};
inline constexpr Column kServiceYearColumn{0, 110};
inline constexpr Column kSharedColumn{110, 80};
inline constexpr Column kStudiesColumn{190, 70};
inline constexpr Column kAuxiliaryColumn{260, 80};
inline constexpr Column kHoursColumn{340, 140};
inline constexpr Column kRemarksColumn{480, 220};  // the widest: remarks are free text

// Inside the table: heading lines from kHeadingLineTop below the table's
// top, kHeadingLineHeight apart (the service year under its heading at
// kServiceYearTop); a row's label at kRowLabelTop and its data at
// kRowDataTop below the row's top; texts kCellInset from the cell's rules,
// clipped kClipInset inside them; a cell's tick box centred, its
// bottom-right corner kCellBoxRight right of the cell's middle and
// kCellBoxDrop below the row's top.
inline constexpr int kHeadingLineTop = 4;
inline constexpr int kHeadingLineHeight = 13;
inline constexpr int kServiceYearTop = 22;
inline constexpr int kRowLabelTop = 9;
inline constexpr int kRowDataTop = 7;
inline constexpr int kCellInset = 5;
inline constexpr int kClipInset = 2;
inline constexpr int kCellBoxRight = 4;
inline constexpr int kCellBoxDrop = 19;

// "S-21-E 11/23", small, under the table at the left.
inline constexpr int kFormIdTop = kTableBottom + 5;

// Font sizes in tenths of a point (all "Arial").
inline constexpr int kTitlePoints = 120;  // bold
inline constexpr int kLabelPoints = 80;
inline constexpr int kDataPoints = 100;
inline constexpr int kFormIdPoints = 70;

// The form's own texts, in English as on S-21-E 11/23.
inline constexpr std::string_view kTitle = "CONGREGATION'S PUBLISHER RECORD";
inline constexpr std::string_view kName = "Name:";
inline constexpr std::string_view kDateOfBirth = "Date of birth:";
inline constexpr std::string_view kDateOfBaptism = "Date of baptism:";
inline constexpr std::string_view kMale = "Male";
inline constexpr std::string_view kFemale = "Female";
inline constexpr std::string_view kOtherSheep = "Other sheep";
inline constexpr std::string_view kAnointed = "Anointed";
inline constexpr std::string_view kElder = "Elder";
inline constexpr std::string_view kServant = "Ministerial servant";
inline constexpr std::string_view kRegularPioneer = "Regular pioneer";
inline constexpr std::string_view kSpecialPioneer = "Special pioneer";
inline constexpr std::string_view kFieldMissionary = "Field missionary";
inline constexpr std::string_view kTotal = "Total";
inline constexpr std::string_view kFormId = "S-21-E 11/23";
// September first, as the rows run.
inline constexpr std::array<std::string_view, 12> kMonths = {
    "September", "October", "November", "December", "January", "February",
    "March",     "April",   "May",      "June",     "July",    "August"};

// The heading of each column, a line of the array each, centred in it.
struct Heading {
  Column column;
  std::array<std::string_view, 3> lines;
};
inline constexpr std::array<Heading, 6> kHeadings = {{
    {kServiceYearColumn, {"Service Year"}},
    {kSharedColumn, {"Shared in", "Ministry"}},
    {kStudiesColumn, {"Bible", "Studies"}},
    {kAuxiliaryColumn, {"Auxiliary", "Pioneer"}},
    {kHoursColumn, {"Hours", "(If pioneer or", "field missionary)"}},
    {kRemarksColumn, {"Remarks"}},
}};

}  // namespace morvind::sheet
