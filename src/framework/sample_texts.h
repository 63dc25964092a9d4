#pragma once
#include <string>

#include "model/area_sample.h"

namespace nl {

// How the program names a sampling: the square's side ("3 × 3"), the statistic ("Median")
// and both ("3 × 3 pixels, Median").
std::string SampleSizeText(int size);
std::string SampleStatText(SampleStat stat);
std::string SampleMethodText(const SampleMethod& method);

}  // namespace nl
