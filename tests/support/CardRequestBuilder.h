#pragma once

#include <string_view>

#include "data/RemarkTable.h"
#include "layout/CardVersion.h"
#include "printing/CardRequest.h"
#include "resources/StringTable.h"
#include "support/TestTable.h"

namespace morvind::test {

// Owns everything a CardRequest points to (an in-memory publisher table, the
// German string table, a remark table) and one request: publisher "Anna
// Meier", the defaults of card version 0, margins "0.00" (top) and "0.20"
// (left), data-only with the header box ticked, started on a day in March
// 2024 (report month February 2024). Not copyable: the request points into
// the builder.
class CardRequestBuilder {
 public:
  CardRequestBuilder();
  CardRequestBuilder(const CardRequestBuilder&) = delete;
  CardRequestBuilder& operator=(const CardRequestBuilder&) = delete;

  TestTable& Data() { return data_; }
  StringTable& Strings() { return strings_; }
  RemarkTable& Remarks() { return remarks_; }
  int Publisher() const { return publisher_; }

  // The request, its pointers aimed at this builder's tables.
  CardRequest& Request();

  // The program started in `month` (1..12) of `year`: the report month is the
  // month before, with its year, as the main dialog derives them.
  CardRequestBuilder& Today(int year, int month);
  // The defaults of `version` as the request's layout and card version.
  CardRequestBuilder& DefaultLayout(CardVersion version);
  // Ticks (or clears) all twelve month boxes.
  CardRequestBuilder& AllMonths(bool ticked = true);

  // Adds a remark for calendar month 0..11 in year slot 0..1 of `publisher`
  // (the request's publisher when 0) and links it; returns its entry.
  int AddRemark(int month, int slot, std::string_view text, int publisher = 0);

 private:
  TestTable data_;
  StringTable strings_;
  RemarkTable remarks_;
  int publisher_ = 0;
  CardRequest request_;
};

}  // namespace morvind::test
