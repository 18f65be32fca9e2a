#include "core/layout.h"

#include <algorithm>
#include <numeric>

namespace zolt {

void AlignControls(const Bounds& area, std::vector<Placed>& controls) {
  int left = area.left;
  int top = area.top;
  int right = area.Right();
  int bottom = area.Bottom();
  for (Placed& c : controls) {
    Bounds& b = c.bounds;
    switch (c.align) {
      case Align::kLeft:
        b.left = left;
        b.top = top;
        b.height = std::max(0, bottom - top);
        left += b.width;
        break;
      case Align::kTop:
        b.left = left;
        b.top = top;
        b.width = std::max(0, right - left);
        top += b.height;
        break;
      case Align::kBottom:
        b.width = std::max(0, right - left);
        b.left = left;
        b.top = bottom - b.height;
        bottom -= b.height;
        break;
      case Align::kNone:
      case Align::kClient:
        break;
    }
  }
  for (Placed& c : controls) {
    if (c.align != Align::kClient) continue;
    c.bounds = Bounds{left, top, std::max(0, right - left), std::max(0, bottom - top)};
  }
}

SplitRange SplitterRange(const Bounds& area, const std::vector<Placed>& controls, int splitter,
                         int minSize) {
  SplitRange range;
  for (int i = splitter - 1; i >= 0; --i) {
    if (controls[static_cast<size_t>(i)].align == Align::kLeft) {
      range.target = i;
      break;
    }
  }
  if (range.target < 0) return range;
  // The target may take what the other left-aligned controls leave of the area, less the
  // client-aligned rest's minimum; measured from the area, since a pane that kept its width
  // across a shrink may already reach past it.
  const int leftWidths =
      std::accumulate(controls.begin(), controls.end(), 0, [](int sum, const Placed& c) {
        return c.align == Align::kLeft ? sum + c.bounds.width : sum;
      });
  const int otherWidths = leftWidths - controls[static_cast<size_t>(range.target)].bounds.width;
  range.minWidth = minSize;
  range.maxWidth = std::max(0, area.width - otherWidths - minSize);
  return range;
}

int ClampSplit(const SplitRange& range, int targetLeft, int proposedLeft) {
  const int width = proposedLeft - targetLeft;
  // Too narrow for both minimums: the target gives way first.
  return std::min(std::max(width, range.minWidth), range.maxWidth);
}

std::vector<BarStroke> SplitterDrag::Press(int left) {
  std::vector<BarStroke> strokes = End();
  dragging_ = true;
  barLeft_ = left;
  strokes.push_back({true, left});
  return strokes;
}

std::vector<BarStroke> SplitterDrag::Move(int left) {
  if (!dragging_ || left == barLeft_) return {};
  const int old = barLeft_;
  barLeft_ = left;
  return {{false, old}, {true, left}};
}

std::vector<BarStroke> SplitterDrag::End() {
  if (!dragging_) return {};
  dragging_ = false;
  return {{false, barLeft_}};
}

}  // namespace zolt
