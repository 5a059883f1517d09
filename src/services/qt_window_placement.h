#pragma once
// Puts every window of the program on the screen the main window is on, centred there with its
// whole frame (title bar included) on the screen's available area, each time it is shown. A window
// that is larger than that area gets a smaller client area and scrolls its controls instead; the
// view follows the focus, so keyboard entry always shows the field being typed into.

#include <QSize>

class QWidget;

// The window whose screen the others open on: the main window.
void SetPlacementAnchor(QWidget* mainWindow);

// A window whose controls sit at fixed places in a client area of `clientSize`: call once, after
// the controls exist and before the window is shown. The controls move into a scroll area that
// fills the window; it takes no keys and no wheel turns, so they reach the window as before, and
// scroll bars appear only where the screen is too small.
void KeepOnScreen(QWidget* window, QSize clientSize);

// A dialog sized by its own layout (message box, input and file dialogs): only placed, each time it
// is shown.
void KeepOnScreen(QWidget* window);
