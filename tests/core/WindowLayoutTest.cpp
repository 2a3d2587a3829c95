#include <gtest/gtest.h>

#include "app/WindowLayout.h"
#include "app/WindowPlacement.h"
#include "core/ScratchFolder.h"
#include "resources/DialogTemplate.h"

namespace morvind {
namespace {

namespace id = main_window;

// Template 102 in pixels of a font with base units 6 × 12, as the window
// builds it: 716 × 378.
std::map<int, WindowRect> TemplateRects() {
  std::map<int, WindowRect> rects;
  for (const ControlTemplate& c : FindDialogTemplate(kMainTemplate)->controls)
    rects[c.id] = {(c.x * 6 + 2) / 4, (c.y * 12 + 4) / 8, (c.cx * 6 + 2) / 4, (c.cy * 12 + 4) / 8};
  return rects;
}

bool Overlap(const WindowRect& a, const WindowRect& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

TEST(WindowLayoutTest, ControlsFollowTheWindowAndNeverOverlap) {
  const WindowSize minimum{716, 378};
  const std::map<int, WindowRect> smallest = TemplateRects();
  for (const WindowSize now : {minimum, WindowSize{1432, 756}, WindowSize{1916, 1076},
                               WindowSize{717, 1000}, WindowSize{1900, 379}}) {
    SCOPED_TRACE(WindowSizeText(now));
    const std::map<int, WindowRect> at = LayOutMainWindow(smallest, minimum, now);
    const int dw = now.width - minimum.width, dh = now.height - minimum.height;
    for (auto a = at.begin(); a != at.end(); ++a) {
      EXPECT_TRUE(a->second.x >= 0 && a->second.Right() <= now.width && a->second.y >= 0 &&
                  a->second.Bottom() <= now.height)
          << a->first;
      for (auto b = std::next(a); b != at.end(); ++b)
        EXPECT_FALSE(Overlap(a->second, b->second)) << a->first << " / " << b->first;
    }
    EXPECT_EQ(at.at(id::kPublisherList).height, smallest.at(id::kPublisherList).height + dh);
    // The panes share the extra height in the proportion of their heights.
    const WindowRect header = at.at(id::kHeaderPane), body = at.at(id::kBodyPane);
    const WindowRect header0 = smallest.at(id::kHeaderPane), body0 = smallest.at(id::kBodyPane);
    EXPECT_EQ(header.width - header0.width, dw);
    EXPECT_EQ(body.width - body0.width, dw);
    EXPECT_EQ(body.y - header.Bottom(), body0.y - header0.Bottom());
    EXPECT_EQ(header.height + body.height, header0.height + body0.height + dh);
    EXPECT_NEAR((header.height - header0.height) * 1.0 * body0.height,
                (body.height - body0.height) * 1.0 * header0.height, header0.height + body0.height);
    for (int row = 1; row <= 13; ++row) {
      const int box = row == 13 ? id::kTotalsBox : id::kFirstMonthBox + row - 1;
      EXPECT_EQ(at.at(box).y, BodyRowBoxTop(body, row, at.at(box).height)) << row;
      EXPECT_EQ(at.at(box).x - body.Right(), smallest.at(box).x - body0.Right());
    }
    // "Fertig" keeps its gap to the right edge; the gaps before it grow in
    // proportion.
    const WindowRect options = at.at(id::kOptionsButton), print = at.at(id::kPrintButton);
    const int before = smallest.at(id::kOptionsButton).x - smallest.at(id::kFilterButton).Right();
    const int between = smallest.at(id::kPrintButton).x - smallest.at(id::kOptionsButton).Right();
    EXPECT_EQ(now.width - at.at(id::kEndButton).Right(),
              minimum.width - smallest.at(id::kEndButton).Right());
    EXPECT_NEAR((options.x - at.at(id::kFilterButton).Right()) * 1.0 * between,
                (print.x - options.Right()) * 1.0 * before, before + between);
    EXPECT_EQ(at.at(id::kEndButton).y, smallest.at(id::kEndButton).y + dh);
  }
}

TEST(WindowPlacementTest, TheSavedSizeIsUsedOnlyWhenTheScreenHoldsIt) {
  const WindowSize minimum{716, 378}, available{1920, 1050};
  const struct {
    const char* text;
    std::optional<WindowSize> size;
  } cases[] = {
      {"1000,700", WindowSize{1000, 700}},
      {" 716 , 378 ", minimum},
      {"1920,1050", available},
      {"715,700", {}},
      {"1000,377", {}},
      {"1921,700", {}},
      {"1000,1051", {}},
      {"1000", {}},
      {"1000,700,1", {}},
      {"-1000,700", {}},
      {"1000;700", {}},
      {"1e3,700", {}},
      {"", {}},
      {"99999999999,700", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseWindowSize(c.text, minimum, available), c.size) << c.text;
}

TEST(WindowPlacementTest, EachKeyIsWrittenOnlyWhenItChanged) {
  test::ScratchFolder scratch("window-placement");
  const WindowSize minimum{716, 378}, available{1920, 1050};
  ProfileFile file(scratch / "morvind.INI");
  const WindowPlacement opened = ReadWindowPlacement(file, minimum, available);
  EXPECT_EQ(opened, (WindowPlacement{minimum, false}));
  SaveWindowPlacement(file, opened, opened);
  EXPECT_TRUE(scratch.Entries().empty());

  SaveWindowPlacement(file, opened, {{900, 500}, false});
  EXPECT_EQ(test::ReadBytes(scratch / "morvind.INI"), "[Morvind]\nWindow Size=900,500\n");
  SaveWindowPlacement(file, {{900, 500}, false}, {{900, 500}, true});
  EXPECT_EQ(test::ReadBytes(scratch / "morvind.INI"),
            "[Morvind]\nWindow Size=900,500\nMaximized=1\n");
  EXPECT_EQ(ReadWindowPlacement(file, minimum, available), (WindowPlacement{{900, 500}, true}));
  // A size this screen can't hold opens at the smallest and stays saved.
  EXPECT_EQ(ReadWindowPlacement(file, minimum, {800, 600}).size, minimum);
}

}  // namespace
}  // namespace morvind
