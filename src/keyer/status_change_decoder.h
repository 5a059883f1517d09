#pragma once
// Turns two looks at a status line into the edges between them. The driver's transition counter
// (TIOCGICOUNT) reveals a tap that began and ended between two looks; without a counter only a
// changed level is seen. Contact bounce is cut to at most three edges, keeping the final level.

#include <vector>

// The levels that the line took, in order, from was to now (empty when nothing happened).
// counted is the driver's transition count between the looks (ignored when !haveCount).
std::vector<bool> StatusEdgesBetween(bool was, bool now, long counted, bool haveCount);
