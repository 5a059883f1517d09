#pragma once
// Where a window goes on the screen: its whole frame inside the available area (the screen without
// panels and docks), centred there; a window whose client area cannot fit gets a smaller one and
// scrolls its contents instead. Sizes are the window system's logical pixels.

struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The window manager's frame around the client area (title bar, borders).
struct FrameMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const FrameMargins&) const = default;
};

struct WindowPlacement {
  int frameLeft = 0;  // the frame's outer top-left corner
  int frameTop = 0;
  int clientLeft = 0;  // the client area's top-left corner
  int clientTop = 0;
  int clientWidth = 0;  // the client area the window gets
  int clientHeight = 0;
  bool scrollsHorizontally = false;  // the contents are wider than the client area
  bool scrollsVertically = false;
  bool operator==(const WindowPlacement&) const = default;
};

// `wanted` client size of `wantedWidth` × `wantedHeight`; `scrollBarExtent` is the width of a
// vertical (and height of a horizontal) scroll bar, added to the client area where one is needed
// and there is room for it. When the area cannot even hold the frame, the frame's top-left corner
// (with the title bar) stays on the area, so the window can still be moved.
WindowPlacement PlaceWindow(const ScreenArea& available, const FrameMargins& frame, int wantedWidth,
                            int wantedHeight, int scrollBarExtent);
