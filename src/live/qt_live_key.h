#pragma once
// A Qt key press as the live-entry model sees it: the layout's typed character, the modifiers,
// auto-repeat.

#include "live/live_key.h"

class QKeyEvent;

LiveKey LiveKeyOf(const QKeyEvent* event);
