#pragma once

#include <string>
#include <string_view>

#include "finder/finder.h"

namespace finder {

inline constexpr std::string_view kResultFile = "sonuc.csv";

// The result table of the last run as UTF-8 text with CR LF line ends: the
// heading, a line of 55 hyphens, and for every step of the found degree with a
// duration a line of fixed columns (step, Cent, Count, share at columns 6, 16,
// 32 and 40). After a run that found no degree, the two heading lines only.
std::string ResultTable(const Finder& finder, char separator);

}  // namespace finder
