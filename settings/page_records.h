// Records of the full pages the view draws: the help pages and the
// response diagrams of the filters.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sc {

inline constexpr int HELP_PAGE_COUNT = 6;

// One measured response: (frequency in Hz, level in dB) in rising frequency.
struct ResponseCurve {
    std::string label;  // may be empty for a diagram of one curve
    std::vector<std::pair<double, double>> points;
};

// A diagram page: its text lines at the top, the curves on the grid, and
// the navigation line at the bottom.
struct ResponseDiagram {
    std::vector<std::string> lines;
    std::vector<ResponseCurve> curves;
    std::string footer;
};

}  // namespace sc
