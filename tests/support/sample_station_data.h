#pragma once
// A complete station-data record as an operator fills it in, for closing benchmarks.

#include <string>

#include "prep/station_data_record.h"

inline StationData SampleStationData() {
  StationData d;
  d.place = "Napf";
  d.canton = "LU";
  d.coordX = "638000";
  d.coordY = "206000";
  d.height = "1408";
  d.power = "    5";
  for (int item = 0; item < kStationItemCount; ++item) {
    d.itemDescriptions[item] = "Komponente " + std::to_string(item + 1);
    d.itemWeights[item] = AlignWeight(std::to_string(100 + item * 10));
  }
  d.operatorName = "Hans Muster";
  d.email = "hans@example.org";
  RecomputeStationWeights(d);
  return d;
}
