#pragma once

// Numbers of the string table entries the program looks up by name.
namespace morvind::str {

constexpr int kAboutMenuItem = 101;   // "&About Morvind..."
constexpr int kPasswordPrompt = 102;  // "Bitte Passwort eingeben"
constexpr int kPasswordWrong = 103;   // "Tut mir leid, falsches Passwort ..."
constexpr int kPreviewName = 104;     // header preview labels 104..112
constexpr int kPreviewAddress = 105;
constexpr int kPreviewTelephone = 106;
constexpr int kPreviewBirthDate = 107;
constexpr int kPreviewBaptismDate = 108;
constexpr int kPreviewHope = 109;
constexpr int kPreviewElder = 110;
constexpr int kPreviewPioneer = 111;
constexpr int kPreviewServant = 112;
constexpr int kHopeAnointed = 113;    // "G"
constexpr int kHopeOtherSheep = 114;  // "A.S."
constexpr int kValueMessage = 116;
constexpr int kDateMonthBase = 116;      // + month number 1..12: "Jan".."Dez"
constexpr int kPreviewNameColumn = 132;  // nonzero: the preview name sits further right
constexpr int kLanguageCode = 133;
constexpr int kFilterAll = 137;          // "Alle Verkündiger"
constexpr int kQuarterBase = 140;        // + quarters 1..3: "¼" "½" "¾"
constexpr int kQuarterZeroPrefix = 144;  // "1" puts a 0 before a lone quarter sign
constexpr int kPreviewMobile = 145;      // "Handy"
constexpr int kCardVersionCount = 146;   // "3"
constexpr int kProgramName = 147;        // "Morvind"
constexpr int kLayoutDetailsTitle = 148;
constexpr int kLayoutDetailsReset = 149;
constexpr int kMale = 150;                 // "männlich"
constexpr int kFemale = 151;               // "weiblich"
constexpr int kCardVersionNameBase = 400;  // + version
constexpr int kDefaultHeaderXBase = 500;   // + 20 * version + item
constexpr int kDefaultHeaderYBase = 600;   // + 20 * version + item
constexpr int kDefaultBodyBase = 700;      // + 20 * version + body slot
constexpr int kPreviewRemarks = 1019;      // "Bemerkungen"
constexpr int kAuxiliaryPioneer = 1026;    // "Hilfspionier"
constexpr int kGroup = 1058;               // "Gruppe"
constexpr int kPreviewTotal = 1068;        // "Total"
constexpr int kPreviewMonthBase = 1203;    // + calendar month 0..11: "Jan".."Dez"
constexpr int kPreviewColumnBase = 1415;   // + column 0..4: "Abg." .. "Stud."
constexpr int kPlacementsLabel = 1420;     // "Placements"
constexpr int kVideoShowingsLabel = 1421;  // "Video Showings"
constexpr int kCardTitle = 1422;           // "CONGREGATION'S PUBLISHER RECORD"
constexpr int kLabelName = 1423;
constexpr int kLabelHomeAddress = 1424;
constexpr int kLabelHomeTelephone = 1425;
constexpr int kLabelMobileTelephone = 1426;
constexpr int kLabelDateOfBirth = 1427;
constexpr int kLabelDateImmersed = 1428;
constexpr int kLabelHope = 1429;
constexpr int kLabelElder = 1430;
constexpr int kLabelServant = 1431;
constexpr int kLabelRegularPioneer = 1432;
constexpr int kServiceYear = 1433;        // "SERVICE YEAR:"
constexpr int kBodyHeadingBase = 1434;    // + 0..5: "PLACEMENTS" .. "REMARKS"
constexpr int kBodyMonthBase = 1440;      // + calendar month 0..11: "JANUAR" ..
constexpr int kBodyTotal = 1452;          // "TOTAL"
constexpr int kFormId = 1453;             // "S-21-E  10/15"
constexpr int kBodyFormColumns = 1454;    // "075 150 210 255 318 370"
constexpr int kHeaderFormColumns = 1459;  // "050 075 080 270 440 075 320"
constexpr int kGenderLabelOffset = 1464;  // "050"
constexpr int kServiceYearSplit = 1465;   // " "
constexpr int kFilterPioneers = 1466;     // "Allg. u. SoPi's"
constexpr int kFilterUnassigned = 1467;   // "Unassigned"

}  // namespace morvind::str
