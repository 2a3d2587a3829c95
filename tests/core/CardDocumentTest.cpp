#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "layout/LayoutFile.h"
#include "layout/LayoutRecord.h"
#include "layout/LayoutValueRules.h"
#include "printing/CardDocument.h"
#include "printing/RecordingSurface.h"
#include "resources/StringIds.h"
#include "support/CardRequestBuilder.h"

namespace morvind {
namespace {

// Anna Meier, an elder with an address, hours in September, every month ticked.
struct DocumentCard : test::CardRequestBuilder {
  DocumentCard() {
    Data().SetText(Publisher(), record::kAddress, "Hauptstr. 1");
    Data().SetRoleFlags(Publisher(), record::kRoleElder);
    AllMonths();
    Request().totals = true;
  }
};

std::vector<RecordedOp> OpsInColour(const RecordingSurface& surface, Colour colour) {
  std::vector<RecordedOp> ops;
  for (const RecordedOp& op : surface.Ops())
    if ((op.kind == RecordedOp::Kind::kText || op.kind == RecordedOp::Kind::kLine) &&
        op.colour == colour)
      ops.push_back(op);
  return ops;
}

std::string Listing(const std::vector<RecordedOp>& ops) {
  std::string text;
  for (const RecordedOp& op : ops)
    text += std::to_string(static_cast<int>(op.kind)) + " " + op.text + " " + std::to_string(op.x) +
            "," + std::to_string(op.y) + " " + std::to_string(op.x2) + "," + std::to_string(op.y2) +
            "\n";
  return text;
}

TEST(CardDocumentTest, FormUnderlayIsTheEmptyGreyFormOfVersionZeroBeforeTheUnchangedCard) {
  DocumentCard card;
  // The user moved the name on their layout; the form keeps the built-in
  // positions that stand for the pre-printed card.
  card.Request().layout.Set(kNameY, "0.90");
  RecordingSurface plain;
  DrawCardDocument(plain, {card.Request()});
  RecordingSurface overlaid;
  CardDocumentOptions options;
  options.formUnderlay = true;
  EXPECT_EQ(DrawCardDocument(overlaid, {card.Request()}, options), DocumentEnd::kComplete);

  // The black part is exactly the card as it prints without the form.
  EXPECT_EQ(Listing(OpsInColour(overlaid, kBlack)), Listing(OpsInColour(plain, kBlack)));
  EXPECT_TRUE(OpsInColour(plain, kFormGrey).empty());

  const std::vector<RecordedOp> grey = OpsInColour(overlaid, kFormGrey);
  ASSERT_FALSE(grey.empty());
  std::vector<std::string> greyTexts;
  int greyLines = 0;
  for (const RecordedOp& op : grey) {
    if (op.kind == RecordedOp::Kind::kText) greyTexts.push_back(op.text);
    if (op.kind == RecordedOp::Kind::kLine) ++greyLines;
  }
  const StringTable& strings = card.Strings();
  for (int id : {str::kCardTitle, str::kLabelName, str::kLabelElder, str::kBodyTotal})
    EXPECT_NE(std::find(greyTexts.begin(), greyTexts.end(), strings.Get(id)), greyTexts.end())
        << strings.Get(id);
  // None of the publisher's data and no ticks: the boxes stay empty (four
  // lines each, no diagonals).
  for (const std::string& data : {std::string("Anna Meier"), std::string("Hauptstr. 1")})
    EXPECT_EQ(std::find(greyTexts.begin(), greyTexts.end(), data), greyTexts.end()) << data;
  RecordingSurface emptyForm;
  CardRequest form = FormUnderlayOf(card.Request());
  EXPECT_TRUE(form.completeCard && form.formOnly);
  EXPECT_EQ(form.cardVersion, 0);
  DrawCardDocument(emptyForm, {form});
  EXPECT_EQ(static_cast<int>(emptyForm.Lines().size()), greyLines);
  form.formOnly = false;
  RecordingSurface filledForm;
  DrawCardDocument(filledForm, {form});
  EXPECT_GT(filledForm.Lines().size(), emptyForm.Lines().size());  // the elder's tick

  // The "Name:" label sits at the default name row, not the user's 0.90.
  const RecordedOp* label = emptyForm.FindText(strings.Get(str::kLabelName));
  ASSERT_NE(label, nullptr);
  LayoutRecord defaults;
  FillDefaultLayout(defaults, 0, strings);
  EXPECT_EQ(label->y, static_cast<int>(LayoutValueToDevice(600, defaults.Text(kNameY))) + 600 / 20);
  EXPECT_EQ(overlaid.CurrentColour(), kBlack);
  EXPECT_EQ(overlaid.CurrentPenColour(), kBlack);
  EXPECT_EQ(overlaid.LiveObjectCount(), 0);
}

TEST(CardDocumentTest, OnlyDataOnlyCardsOfVersionZeroGetTheForm) {
  DocumentCard card;
  EXPECT_TRUE(FormUnderlayFits(card.Request()));
  CardDocumentOptions options;
  options.formUnderlay = true;
  for (CardVersion version : {1, 2}) {
    card.DefaultLayout(version);
    EXPECT_FALSE(FormUnderlayFits(card.Request())) << version;
    RecordingSurface surface;
    DrawCardDocument(surface, {card.Request()}, options);
    EXPECT_TRUE(OpsInColour(surface, kFormGrey).empty()) << version;
  }
  card.DefaultLayout(0);
  card.Request().completeCard = true;
  EXPECT_FALSE(FormUnderlayFits(card.Request()));
}

TEST(CardDocumentTest, TheCallbackSeesEachCardAndStopsTheDocumentAfterIt) {
  DocumentCard card;
  const std::vector<CardRequest> cards(3, card.Request());
  std::vector<int> seen;
  CardDocumentOptions options;
  options.cardDone = [&](int done) {
    seen.push_back(done);
    return done < 2;
  };
  RecordingSurface surface;
  EXPECT_EQ(DrawCardDocument(surface, cards, options), DocumentEnd::kStopped);
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
  int pages = 0, ends = 0, docEnds = 0;
  for (const RecordedOp& op : surface.Ops()) {
    pages += op.kind == RecordedOp::Kind::kStartPage;
    ends += op.kind == RecordedOp::Kind::kEndPage;
    docEnds += op.kind == RecordedOp::Kind::kEndDoc;
  }
  EXPECT_EQ(pages, 2);
  EXPECT_EQ(ends, 2);
  EXPECT_EQ(docEnds, 0);

  seen.clear();
  options.cardDone = [&](int done) {
    seen.push_back(done);
    return true;
  };
  RecordingSurface whole;
  EXPECT_EQ(DrawCardDocument(whole, cards, options), DocumentEnd::kComplete);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
}

}  // namespace
}  // namespace morvind
