#include "keyer/status_change_decoder.h"

std::vector<bool> StatusEdgesBetween(bool was, bool now, long counted, bool haveCount) {
  long transitions = haveCount ? counted : (was != now ? 1 : 0);
  if (transitions < 0) transitions = 0;  // counter reset (port reopened)
  // An odd count must end on the other level, an even one on the same: trust the level.
  if ((transitions % 2 == 1) != (was != now)) transitions += 1;
  if (transitions > 3) transitions = 2 + transitions % 2;
  std::vector<bool> edges;
  bool level = was;
  for (long i = 0; i < transitions; ++i) {
    level = !level;
    edges.push_back(level);
  }
  return edges;
}
