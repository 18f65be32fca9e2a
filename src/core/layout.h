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

}  // namespace zolt
