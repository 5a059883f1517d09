#include "services/window_placement.h"

#include <algorithm>

namespace {

// Where a frame of `size` starts on an axis of the area: centred, but never before its start.
int CentredStart(int areaStart, int areaLength, int size) {
  return areaStart + std::max(0, (areaLength - size) / 2);
}

}  // namespace

WindowPlacement PlaceWindow(const ScreenArea& available, const FrameMargins& frame, int wantedWidth,
                            int wantedHeight, int scrollBarExtent) {
  // The largest client area whose frame still fits; at least one pixel, so a window remains.
  const int maxWidth = std::max(1, available.width - frame.left - frame.right);
  const int maxHeight = std::max(1, available.height - frame.top - frame.bottom);

  // A scroll bar along one side takes room from the other direction, which may then need one too.
  bool horizontal = false;
  bool vertical = false;
  for (int pass = 0; pass < 2; ++pass) {
    horizontal = horizontal || wantedWidth + (vertical ? scrollBarExtent : 0) > maxWidth;
    vertical = vertical || wantedHeight + (horizontal ? scrollBarExtent : 0) > maxHeight;
  }

  WindowPlacement placement;
  placement.clientWidth = std::min(wantedWidth + (vertical ? scrollBarExtent : 0), maxWidth);
  placement.clientHeight = std::min(wantedHeight + (horizontal ? scrollBarExtent : 0), maxHeight);
  placement.scrollsHorizontally = horizontal;
  placement.scrollsVertically = vertical;
  placement.frameLeft = CentredStart(available.left, available.width,
                                     placement.clientWidth + frame.left + frame.right);
  placement.frameTop = CentredStart(available.top, available.height,
                                    placement.clientHeight + frame.top + frame.bottom);
  placement.clientLeft = placement.frameLeft + frame.left;
  placement.clientTop = placement.frameTop + frame.top;
  return placement;
}
