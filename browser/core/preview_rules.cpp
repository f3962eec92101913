#include "browser/core/preview_rules.h"

#include "classlib/core/numbers.h"
#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"

namespace brw {

const std::array<ZoomStep, 19> kZoomSteps = {{
    {"N211", "2:1", 200},    {"N311", "3:1", 300},
    {"N411", "4:1", 400},    {"N511", "5:1", 500},
    {"N611", "6:1", 600},    {"N711", "7:1", 700},
    {"N811", "8:1", 800},    {"N911", "9:1", 900},
    {"N1011", "10:1", 1000}, {"ActualView111", "&Actual View (1:1)", 100},
    {"N121", "1:2", 50},     {"N131", "1:3", 33},
    {"N141", "1:4", 25},     {"N151", "1:5", 20},
    {"N161", "1:6", 16},     {"N171", "1:7", 14},
    {"N181", "1:8", 12},     {"N191", "1:9", 11},
    {"N1101", "1:10", 10},
}};

int ZoomedSide(int percent, int side) {
  return static_cast<int>(cl::Round(static_cast<double>(percent) * side * 0.01));
}

FitSize FitPreviewSize(int formWidth, int formClientHeight, int splitterMain) {
  constexpr int kMargin = 18;
  return {formWidth - splitterMain - kMargin, formClientHeight - kMargin};
}

bool IsGifPath(std::string_view path) {
  return cl::UpperCase(path).find(".GIF") != std::string::npos;
}

std::string ViewerCommandLine(std::string_view exeName, std::string_view lastFile) {
  return cl::ExtractFilePath(exeName) + "\\orvane.exe " + std::string(lastFile);
}

std::string HelpFileName(std::string_view exeName) {
  return cl::ExtractFilePath(exeName) + "\\orvane.hlp";
}

}  // namespace brw
