#include "resources/StringTable.h"

#include <array>
#include <cstdint>

#include "resources/StringIds.h"

namespace morvind {
namespace {

struct Entry {
  int id;
  const char* text;
};

// The German texts. Where a text has no German form on the printed card
// (the English labels of the S-21 form), it stands as the card prints it.
constexpr Entry kGermanTexts[] = {
    {101, "&About Morvind..."},
    {102, "Bitte Passwort eingeben"},
    {103, "Tut mir leid, falsches Passwort ..."},
    {104, "Name"},
    {105, "Adresse"},
    {106, "Telefon"},
    {107, "Geburtsdatum"},
    {108, "Datum der Taufe"},
    {109, "Gesalbter o. 'and. Schaf'"},
    {110, "[   ] Ältester"},
    {111, "[   ] Allgemeiner Pionier"},
    {112, "[   ] Dienstamtgehilfe"},
    {113, "G"},
    {114, "A.S."},
    {116,
     "Gebe die Ränder in Zahlen mit 2 Dezimalstellen ein\n.\nBeispiele:  1.00  1.25   0.88\n"
     "Höchstwert 9.99"},
    {117, "Jan"},
    {118, "Feb"},
    {119, "Mar"},
    {120, "Apr"},
    {121, "Mai"},
    {122, "Jun"},
    {123, "Jul"},
    {124, "Aug"},
    {125, "Sep"},
    {126, "Okt"},
    {127, "Nov"},
    {128, "Dez"},
    {132, "0"},
    {133, "german"},
    {137, "Alle Verkündiger"},
    {141, "¼"},
    {142, "½"},
    {143, "¾"},
    {144, " "},
    {145, "Handy"},
    {146, "3"},
    {147, "Morvind"},
    {148, "Layout Einzelheiten"},
    {149, "Standardwerte laden"},
    {150, "männlich"},
    {151, "weiblich"},
    {400, "S-21-X  10/15"},
    {401, "S-21-X  Ostrel 9a"},
    {402, "S-21-X  Ostrel 9"},
    {403, " "},
    {404, " "},
    {1019, "Bemerkungen"},
    {1026, "Hilfspionier"},
    {1058, "Gruppe"},
    {1068, "Total"},
    {1203, "Jan"},
    {1204, "Feb"},
    {1205, "Mär"},
    {1206, "Apr"},
    {1207, "Mai"},
    {1208, "Jun"},
    {1209, "Jul"},
    {1210, "Aug"},
    {1211, "Sep"},
    {1212, "Okt"},
    {1213, "Nov"},
    {1214, "Dez"},
    {1415, "Abg."},
    {1416, "Videos"},
    {1417, "Std."},
    {1418, "R.B.s"},
    {1419, "Stud."},
    {1420, "Placements"},
    {1421, "Video Showings"},
    {1422, "CONGREGATION'S PUBLISHER RECORD"},
    {1423, "Name:"},
    {1424, "Home address:"},
    {1425, "Home telephone:"},
    {1426, "Mobile telephone:"},
    {1427, "Date of birth:"},
    {1428, "Date immersed:"},
    {1429, "Anointed or \"other sheep\":"},
    {1430, "Elder"},
    {1431, "Ministerial servant"},
    {1432, "Regular pioneer"},
    {1433, "SERVICE YEAR:"},
    {1434, "PLACEMENTS"},
    {1435, "VIDEO SHOWINGS"},
    {1436, "HOURS"},
    {1437, "RETURN VISITS"},
    {1438, "BIBLE STUDIES"},
    {1439, "REMARKS"},
    {1440, "JANUAR"},
    {1441, "FEBRUAR"},
    {1442, "MÄRZ"},
    {1443, "APRIL"},
    {1444, "MAI"},
    {1445, "JUNI"},
    {1446, "JULI"},
    {1447, "AUGUST"},
    {1448, "SEPTEMBER"},
    {1449, "OKTOBER"},
    {1450, "NOVEMBER"},
    {1451, "DEZEMBER"},
    {1452, "TOTAL"},
    {1453, "S-21-E  10/15"},
    {1454, "075 150 210 255 318 370"},
    {1459, "050 075 080 270 440 075 320"},
    {1464, "050"},
    {1465, " "},
    {1466, "Allg. u. SoPi's"},
    {1467, "Unassigned"},
};

// Default layouts of card versions 0..4: the twelve header items as X, Y
// pairs, then the nine body values from the body top to the remarks column.
struct DefaultLayout {
  std::array<const char*, 12> headerX;
  std::array<const char*, 12> headerY;
  std::array<const char*, 9> body;
};

constexpr std::array<const char*, 12> kHeaderY0 = {"0.22", "0.38", "0.57", "0.57", "0.57", "0.81",
                                                   "0.81", "0.75", "0.86", "0.75", "0.07", "0.17"};
constexpr std::array<const char*, 12> kHeaderYOthers = {
    "0.22", "0.38", "0.57", "0.57", "0.57", "0.81", "0.81", "0.75", "0.86", "0.75", "0.00", "0.10"};

constexpr DefaultLayout kDefaultLayouts[] = {
    {{"0.50", "0.50", "0.50", "2.10", "4.15", "0.50", "3.20", "4.10", "4.10", "4.65", "5.40",
      "5.40"},
     kHeaderY0,
     {"1.32", "1.99", "1.10", "1.80", "2.45", "3.00", "3.50", "3.50", "3.75"}},
    {{"0.30", "0.60", "0.60", "2.50", "4.30", "0.80", "3.40", "3.95", "3.95", "4.39", "5.29",
      "5.29"},
     kHeaderYOthers,
     {"2.32", "3.13", "1.70", "2.50", "3.45", "4.25", "5.10", "5.10", "5.45"}},
    {{"0.50", "0.50", "0.50", "2.45", "4.60", "0.80", "3.20", "4.00", "4.00", "4.55", "5.42",
      "5.42"},
     kHeaderYOthers,
     {"2.25", "2.72", "1.70", "2.50", "3.45", "4.25", "5.10", "5.10", "5.45"}},
    {{"0.30", "0.55", "0.55", "1.65", "3.75", "0.80", "3.60", "4.35", "4.35", "4.85", "5.29",
      "5.29"},
     kHeaderYOthers,
     {"1.32", "1.99", "0.62", "1.17", "1.75", "2.25", "2.75", "3.25", "3.38"}},
    {{"0.30", "0.60", "0.62", "2.55", "4.30", "0.80", "3.40", "3.96", "3.96", "4.40", "5.25",
      "5.25"},
     kHeaderYOthers,
     {"1.32", "1.99", "0.62", "1.17", "1.75", "2.25", "2.75", "3.25", "3.38"}},
};

}  // namespace

StringTable StringTable::German() {
  StringTable table;
  for (const Entry& entry : kGermanTexts) table.texts_[entry.id] = entry.text;
  for (int v = 0; v < 5; ++v) {
    const DefaultLayout& layout = kDefaultLayouts[v];
    for (int i = 0; i < 12; ++i) {
      table.texts_[str::kDefaultHeaderXBase + 20 * v + i] = layout.headerX[i];
      table.texts_[str::kDefaultHeaderYBase + 20 * v + i] = layout.headerY[i];
    }
    for (int j = 0; j < 9; ++j) table.texts_[str::kDefaultBodyBase + 20 * v + j] = layout.body[j];
  }
  return table;
}

std::string StringTable::Get(int id) const {
  auto it = texts_.find(id);
  return it == texts_.end() ? std::string() : it->second;
}

int StringTable::GetInt(int id) const {
  return ParseLeadingInt(Get(id));
}

int ParseLeadingInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

}  // namespace morvind
