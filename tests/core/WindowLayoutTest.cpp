#include <gtest/gtest.h>

#include "app/WindowLayout.h"
#include "app/WindowPlacement.h"
#include "resources/DialogTemplate.h"

namespace morvind {
namespace {

namespace id = main_window;

// Template 102 in pixels of a font with base units 6 x 12 (716 x 378).
std::map<int, WindowRect> TemplateRects() {
  std::map<int, WindowRect> rects;
  for (const ControlTemplate& c : FindDialogTemplate(kMainTemplate)->controls)
    rects[c.id] = {(c.x * 6 + 2) / 4, (c.y * 12 + 4) / 8, (c.cx * 6 + 2) / 4, (c.cy * 12 + 4) / 8};
  return rects;
}

TEST(WindowLayoutTest, TheListAndPanesGrowAndTheButtonsSpreadInProportion) {
  const WindowSize minimum{716, 378};
  const std::map<int, WindowRect> was = TemplateRects();
  for (const WindowSize now : {minimum, WindowSize{1432, 756}, {717, 1000}, {1900, 379}}) {
    SCOPED_TRACE(WindowSizeText(now));
    const std::map<int, WindowRect> at = LayOutMainWindow(was, minimum, now);
    const int dw = now.width - minimum.width, dh = now.height - minimum.height;
    auto moved = [&](int control) {
      const WindowRect a = at.at(control), b = was.at(control);
      return WindowRect{a.x - b.x, a.y - b.y, a.width - b.width, a.height - b.height};
    };
    const int list = dw / 3;  // for the list and the button under it
    EXPECT_EQ(moved(id::kPublisherList), (WindowRect{0, 0, list, dh}));
    EXPECT_EQ(moved(id::kFilterButton), (WindowRect{0, dh, list, 0}));
    EXPECT_EQ(moved(id::kEndButton), (WindowRect{dw, dh, 0, 0}));
    // The panes share the extra height as their heights (78 : 200) are.
    const WindowRect header = moved(id::kHeaderPane), body = moved(id::kBodyPane);
    EXPECT_NEAR(header.height, dh * 78.0 / 278, 1.0);
    EXPECT_EQ((WindowRect{header.x, body.y, body.x, header.height + body.height}),
              (WindowRect{list, header.height, list, dh}));
    EXPECT_EQ(header.width + body.width, 2 * (dw - list));
    EXPECT_EQ(moved(id::kLongNameBox).y, header.height);
    EXPECT_EQ(moved(id::kPreviousYearBox).y, dh);
    // The gaps before "Fertig" grow in proportion (28 : 136 pixels).
    EXPECT_NEAR((at.at(id::kOptionsButton).x - at.at(id::kFilterButton).Right()) * 136.0,
                (at.at(id::kPrintButton).x - at.at(id::kOptionsButton).Right()) * 28.0, 136.0);
  }
}

TEST(WindowPlacementTest, ASavedSizeIsUsedOnlyWhenItIsTwoNumbersTheScreenHolds) {
  const WindowSize minimum{716, 378}, screen{1920, 1050};
  EXPECT_EQ(ParseWindowSize("1000,700", minimum, screen), (WindowSize{1000, 700}));
  EXPECT_EQ(ParseWindowSize(" 716 , 378 ", minimum, screen), minimum);
  EXPECT_EQ(ParseWindowSize("1920,1050", minimum, screen), screen);
  for (const char* bad : {"715,700", "1000,377", "1921,700", "1000,1051", "1000", "1000,700,1",
                          "-1000,700", "1000;700", "1e3,700", "", "99999999999,700"})
    EXPECT_EQ(ParseWindowSize(bad, minimum, screen), std::nullopt) << bad;
}

// Without a saved size the window fills 80% of the screen's room in its own
// proportions, at least the template's size and at most twice it.
TEST(WindowPlacementTest, TheFirstSizeIsAsLargeAsTheScreenAllowsUpToTwiceTheTemplate) {
  const WindowSize minimum{716, 378};
  const std::pair<WindowSize, WindowSize> screens[] = {
      {{1366, 736}, {1092, 576}},   // a small laptop, with a panel
      {{1920, 1080}, {1432, 756}},  // twice the template at most
      {{1920, 1032}, {1432, 756}},  // 4K at 200%, with a panel
      {{2560, 600}, {909, 480}},    // wide and low: the height decides
      {{800, 600}, minimum},        // less than the template needs
  };
  for (const auto& [available, first] : screens)
    EXPECT_EQ(FirstWindowSize(minimum, available), first) << WindowSizeText(available);
}

}  // namespace
}  // namespace morvind
