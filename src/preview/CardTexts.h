#pragma once

#include <string>

#include "data/PublisherTable.h"

namespace morvind {

// What the header preview and the print job need to decide the printed
// name and mobile telephone.
struct CardTextsInput {
  const PublisherTable* table = nullptr;
  int publisher = 0;
  // The publisher's long name (UTF-8) when ReadExtendedInfo found a record
  // for them; empty otherwise.
  std::string longName;
  bool hasExtendedRecord = false;  // ReadExtendedInfo returned nonzero
  bool useLongName = true;
  bool lastNameFirst = false;
  bool completeCard = false;
};

// The decision: the two texts to print and what becomes of the three check
// boxes the header pane manages.
struct CardTexts {
  std::string cardName;
  std::string cardMobile;
  bool showLongNameBox = false;      // 1010 "&Langer Name"
  bool showLastNameFirstBox = true;  // 1007 "Familienname &Zuerst"
  bool showGenderBox = false;        // 1031 "m/w"
  bool checkGenderBox = false;       // 1031 is checked (complete card)
};

// Chooses the printed name (the long name when there is one and it is
// wanted, else the formatted name) and the mobile telephone, and decides the
// boxes. Pure: the same answer for the preview's paint and for the print.
CardTexts ChooseCardTexts(const CardTextsInput& input);

}  // namespace morvind
