#include "viewer/core/zoom_steps.h"

namespace viewer {

const std::array<ZoomStep, 9> kZoomInSteps = {{{"N2001", "2:1", 200},
                                               {"N3001", "3:1", 300},
                                               {"N4001", "4:1", 400},
                                               {"N5001", "5:1", 500},
                                               {"N6001", "6:1", 600},
                                               {"N7001", "7:1", 700},
                                               {"N8001", "8:1", 800},
                                               {"N9001", "9:1", 900},
                                               {"N10001", "10:1", 1000}}};

const std::array<ZoomStep, 9> kZoomOutSteps = {{{"N751", "1:2", 50},
                                                {"N671", "1:3", 33},
                                                {"N501", "1:4", 25},
                                                {"N331", "1:5", 20},
                                                {"N251", "1:6", 16},
                                                {"N101", "1:7", 14},
                                                {"N181", "1:8", 13},
                                                {"N191", "1:9", 11},
                                                {"N1101", "1:10", 10}}};

int ZoomSize(int percent, int side) {
  // In integers: every half of p * w / 100 is exact, so no floating rounding can turn it.
  const int64_t product = int64_t{percent} * side;
  const int64_t whole = product / 100;
  const int64_t rest = product % 100;
  if (rest > 50 || (rest == 50 && whole % 2 != 0)) return static_cast<int>(whole + 1);
  return static_cast<int>(whole);
}

cl::TRect InitialSelection(const ControlExtent& scrollBox, const ControlExtent& image) {
  const ControlExtent& across = scrollBox.Width < image.Width ? scrollBox : image;
  const ControlExtent& down = scrollBox.Height < image.Height ? scrollBox : image;
  return cl::Rect(across.Width / 4, down.ClientHeight / 4, across.ClientWidth * 3 / 4, down.ClientHeight * 3 / 4);
}

}  // namespace viewer
