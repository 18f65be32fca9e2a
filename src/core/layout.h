// Edge alignment as pure rectangle arithmetic: a container's aligned children carve its area in
// control order, and a vertical splitter's drag is clamped so that neither pane it divides gets
// narrower than the minimum. The windows only apply what these functions compute.
#pragma once

#include <vector>

namespace zolt {

enum class Align { kNone, kLeft, kTop, kBottom, kClient };

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool operator==(const Bounds& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

struct Placed {
  Align align = Align::kNone;
  Bounds bounds;
};

// Places the aligned controls within area: each edge-aligned one (left, top, bottom), in control
// order, takes its own width or height off that edge of what is still free and spans the free
// length along it; then every client-aligned one fills what is left. Unaligned controls keep their
// bounds. Edge-aligned controls keep their own width or height even when the area is too small
// for them (so a pane keeps its width across a shrink and a grow); the spans along an edge and the
// client area never go negative.
void AlignControls(const Bounds& area, std::vector<Placed>& controls);

// What a left-aligned splitter at index `splitter` resizes: the nearest left-aligned control
// before it, between minSize and the width that leaves minSize to the client-aligned rest (never
// below 0).
struct SplitRange {
  int target = -1;  // index of the control it resizes, -1 when there is none
  int minWidth = 0;
  int maxWidth = 0;
};
SplitRange SplitterRange(const Bounds& area, const std::vector<Placed>& controls, int splitter,
                         int minSize);

// The width the target gets for a splitter dragged so that its left edge lies at proposedLeft:
// clamped into the range (the maximum wins when the range is empty).
int ClampSplit(const SplitRange& range, int targetLeft, int proposedLeft);

// A splitter's drag and the hatched bar it shows where the boundary would go. The bar is drawn
// by inverting, so drawing it again at the same place erases it; each event says where to draw
// or erase it, in order, so that every bar drawn is erased exactly once.
struct BarStroke {
  bool draw;  // false: erase
  int left;
};
class SplitterDrag {
 public:
  bool Dragging() const { return dragging_; }
  int BarLeft() const { return barLeft_; }
  // The button pressed with the bar's left edge accepted at left.
  std::vector<BarStroke> Press(int left);
  // The pointer moved, the bar's edge accepted at left: the bar follows only during a drag.
  std::vector<BarStroke> Move(int left);
  // The button released, or the capture lost (another window taking it): the drag ends.
  std::vector<BarStroke> End();

 private:
  bool dragging_ = false;
  int barLeft_ = 0;
};

}  // namespace zolt
