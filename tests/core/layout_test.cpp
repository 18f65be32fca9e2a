#include "core/layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace zolt {
void PrintTo(const Bounds& b, std::ostream* os) {
  *os << "{" << b.left << ", " << b.top << ", " << b.width << " x " << b.height << "}";
}
}  // namespace zolt

namespace {

using zolt::Align;
using zolt::Bounds;
using zolt::Placed;

// The main window's arrangement: a left pane, a splitter, a pane filling the rest; inside a
// pane (area inset by its 1-pixel bevel): a top bar, a bottom bar, a grid filling the middle.
TEST(AlignControls, PanesAndBarsFollowTheArea) {
  const struct {
    const char* name;
    Bounds area;
    std::vector<Placed> controls;
    std::vector<Bounds> expected;
  } cases[] = {
      {"main window at its design size",
       {0, 0, 693, 434},
       {{Align::kLeft, {0, 0, 345, 10}}, {Align::kLeft, {345, 0, 4, 10}}, {Align::kClient, {}}},
       {{0, 0, 345, 434}, {345, 0, 4, 434}, {349, 0, 344, 434}}},
      {"main window grown: the left pane keeps its width",
       {0, 0, 900, 600},
       {{Align::kLeft, {0, 0, 345, 434}}, {Align::kLeft, {345, 0, 4, 434}}, {Align::kClient, {}}},
       {{0, 0, 345, 600}, {345, 0, 4, 600}, {349, 0, 551, 600}}},
      {"main window narrower than the left pane: the rest is empty, not negative",
       {0, 0, 300, 100},
       {{Align::kLeft, {0, 0, 345, 434}}, {Align::kLeft, {345, 0, 4, 434}}, {Align::kClient, {}}},
       {{0, 0, 345, 100}, {345, 0, 4, 100}, {349, 0, 0, 100}}},
      {"left pane inside its bevel",
       {1, 1, 343, 432},
       {{Align::kTop, {5, 5, 99, 40}}, {Align::kBottom, {0, 0, 99, 41}}, {Align::kClient, {}}},
       {{1, 1, 343, 40}, {1, 392, 343, 41}, {1, 41, 343, 351}}},
      {"right pane grown",
       {1, 1, 549, 598},
       {{Align::kTop, {1, 1, 342, 40}}, {Align::kBottom, {1, 392, 342, 41}}, {Align::kClient, {}}},
       {{1, 1, 549, 40}, {1, 558, 549, 41}, {1, 41, 549, 517}}},
      {"unaligned controls keep their bounds (a path box wider than its bar)",
       {1, 1, 343, 40},
       {{Align::kNone, {0, 0, 31, 41}}, {Align::kNone, {30, 0, 401, 41}}},
       {{0, 0, 31, 41}, {30, 0, 401, 41}}},
      {"a client control listed first still gets what the edges leave",
       {0, 0, 200, 100},
       {{Align::kClient, {}}, {Align::kTop, {0, 0, 0, 30}}, {Align::kLeft, {0, 0, 50, 0}}},
       {{50, 30, 150, 70}, {0, 0, 200, 30}, {0, 30, 50, 70}}},
      {"edges in control order: a top bar before a left pane spans the full width",
       {0, 0, 200, 100},
       {{Align::kTop, {0, 0, 0, 20}},
        {Align::kLeft, {0, 0, 40, 0}},
        {Align::kBottom, {0, 0, 0, 10}},
        {Align::kLeft, {0, 0, 30, 0}}},
       {{0, 0, 200, 20}, {0, 20, 40, 80}, {40, 90, 160, 10}, {40, 20, 30, 70}}},
      {"bars taller than the pane: the client part is empty",
       {0, 0, 100, 50},
       {{Align::kTop, {0, 0, 0, 40}}, {Align::kBottom, {0, 0, 0, 41}}, {Align::kClient, {}}},
       {{0, 0, 100, 40}, {0, 9, 100, 41}, {0, 40, 100, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Placed> controls = c.controls;
    zolt::AlignControls(c.area, controls);
    ASSERT_EQ(controls.size(), c.expected.size());
    for (size_t i = 0; i < controls.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(controls[i].bounds, c.expected[i]);
    }
  }
}

TEST(SplitterRange, ClampsTheLeftPaneToTheMinimumOnBothSides) {
  // Left pane 345 wide, splitter 4, client rest 344: the left pane may grow by 344 - 30.
  const Bounds area{0, 0, 693, 434};
  std::vector<Placed> controls = {
      {Align::kLeft, {0, 0, 345, 434}}, {Align::kLeft, {345, 0, 4, 434}}, {Align::kClient, {}}};
  zolt::AlignControls(area, controls);
  const zolt::SplitRange range = zolt::SplitterRange(area, controls, 1, 30);
  EXPECT_EQ(range.target, 0);
  EXPECT_EQ(range.minWidth, 30);
  EXPECT_EQ(range.maxWidth, 345 + 344 - 30);
  const struct {
    int proposedLeft, width;
  } cases[] = {
      {345, 345}, {200, 200}, {30, 30}, {29, 30}, {-50, 30}, {659, 659}, {660, 659}, {2000, 659},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.proposedLeft);
    EXPECT_EQ(zolt::ClampSplit(range, 0, c.proposedLeft), c.width);
  }
  // A pane that does not start at 0 measures from its own left edge.
  EXPECT_EQ(zolt::ClampSplit(range, 10, 110), 100);
}

TEST(SplitterRange, TargetIsTheNearestLeftAlignedControlBefore) {
  const Bounds area{0, 0, 500, 100};
  std::vector<Placed> controls = {{Align::kLeft, {0, 0, 50, 0}},
                                  {Align::kTop, {0, 0, 0, 10}},
                                  {Align::kLeft, {0, 0, 100, 0}},
                                  {Align::kLeft, {0, 0, 4, 0}},
                                  {Align::kClient, {}}};
  zolt::AlignControls(area, controls);
  const zolt::SplitRange range = zolt::SplitterRange(area, controls, 3, 30);
  EXPECT_EQ(range.target, 2);
  EXPECT_EQ(range.maxWidth, 100 + (500 - 154) - 30);
  EXPECT_EQ(zolt::SplitterRange(area, controls, 1, 30).target, 0);
  EXPECT_EQ(zolt::SplitterRange(area, controls, 0, 30).target, -1);
}

TEST(SplitterRange, InANarrowWindowTheLeftPaneGivesWayFirst) {
  // A left pane, a 4-pixel splitter and the rest; the area may be narrower than the left pane,
  // which keeps its width across a shrink.
  const struct {
    const char* name;
    int areaWidth, paneWidth, proposedLeft, width;
  } cases[] = {
      {"narrower than the left pane, dragged right", 200, 345, 190, 166},
      {"narrower than the left pane, dragged left", 200, 345, 100, 100},
      {"narrower than the left pane, to the minimum", 200, 345, 10, 30},
      {"room for both minimums exactly", 64, 345, 50, 30},
      {"too narrow for both, dragged right", 40, 20, 35, 6},
      {"too narrow for both, dragged left", 40, 20, 5, 6},
      {"no room for the right pane's minimum", 20, 20, 10, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bounds area{0, 0, c.areaWidth, 100};
    std::vector<Placed> controls = {
        {Align::kLeft, {0, 0, c.paneWidth, 0}}, {Align::kLeft, {0, 0, 4, 0}}, {Align::kClient, {}}};
    zolt::AlignControls(area, controls);
    const zolt::SplitRange range = zolt::SplitterRange(area, controls, 1, 30);
    EXPECT_EQ(zolt::ClampSplit(range, 0, c.proposedLeft), c.width);
  }
}

// Every order of presses, moves and ends (the release or the capture lost) over three places:
// each bar drawn is erased exactly once, and only the drag's own bar stays drawn meanwhile.
TEST(SplitterDrag, EveryBarDrawnIsErasedOnceWhateverTheOrderOfEvents) {
  // Six events: press at 0 or 1, move to 0, 1 or 2, end; every sequence of six of them.
  const int kEvents = 6, kLength = 6, kSequences = 46656;
  for (int code = 0; code < kSequences; ++code) {
    zolt::SplitterDrag drag;
    std::set<int> drawn;
    std::string trace;
    for (int i = 0, k = code; i < kLength; ++i, k /= kEvents) {
      const int event = k % kEvents;
      trace += std::to_string(event);
      const std::vector<zolt::BarStroke> strokes = event < 2   ? drag.Press(event)
                                                   : event < 5 ? drag.Move(event - 2)
                                                               : drag.End();
      for (const zolt::BarStroke& s : strokes) {
        // A bar drawn over another would erase both; an erase where none is would draw one.
        ASSERT_EQ(drawn.count(s.left), s.draw ? 0u : 1u) << trace;
        if (s.draw)
          drawn.insert(s.left);
        else
          drawn.erase(s.left);
      }
      ASSERT_EQ(drawn, drag.Dragging() ? std::set<int>{drag.BarLeft()} : std::set<int>{}) << trace;
    }
  }
  // A move with no drag draws nothing.
  zolt::SplitterDrag idle;
  EXPECT_TRUE(idle.Move(5).empty());
  EXPECT_TRUE(idle.End().empty());
}

}  // namespace
