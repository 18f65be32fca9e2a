#include "core/layout.h"

#include <algorithm>

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
  // The client-aligned rest is what the left-aligned controls leave of the area's width.
  int leftWidths = 0;
  for (const Placed& c : controls) {
    if (c.align == Align::kLeft) leftWidths += c.bounds.width;
  }
  const int target = controls[static_cast<size_t>(range.target)].bounds.width;
  const int rest = std::max(0, area.width - leftWidths);
  range.minWidth = minSize;
  range.maxWidth = target + rest - minSize;
  return range;
}

int ClampSplit(const SplitRange& range, int targetLeft, int proposedLeft) {
  const int width = proposedLeft - targetLeft;
  return std::max(range.minWidth, std::min(width, range.maxWidth));
}

}  // namespace zolt
