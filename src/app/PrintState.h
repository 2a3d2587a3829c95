#pragma once

#include <filesystem>

#include "app/PublisherList.h"
#include "data/CongregationData.h"
#include "layout/LengthUnit.h"
#include "printing/RecordForm.h"

namespace morvind {

// What the window's print commands read of its run state, at one moment,
// as one value; the cards themselves come from the window's requests
// (BuildCardRequest and the list's lines).
struct PrintState {
  // The loaded data, never null: the list's cards are planned in them (the
  // long names are read from the extended records as the print reads them).
  CongregationData* data = nullptr;
  PublisherFilter filter;                   // the list's
  RecordForm form = RecordForm::kCard1015;  // the form this run prints
  // The official form's file, also while another form prints: it is never
  // written over.
  std::filesystem::path formFile;
  bool firstNameSort = false;           // the list's name order ("portuguese")
  LengthUnit unit = LengthUnit::kInch;  // of the test sheet's grid
};

}  // namespace morvind
