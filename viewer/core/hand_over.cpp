#include "viewer/core/hand_over.h"

#include "classlib/core/string_utils.h"

namespace viewer {

namespace {
bool FirstParamEmpty(const std::vector<std::string>& params) {
  return params.empty() || params.front().empty();
}
}  // namespace

std::string HandOverValue(const std::vector<std::string>& params) {
  if (FirstParamEmpty(params)) return "";
  std::string value;
  for (const std::string& param : params) value += param + " ";
  return value;
}

std::string HandOverFileName(const std::string& value) {
  return cl::Trim(value);
}

std::string CommandLineFileName(const std::vector<std::string>& params) {
  if (FirstParamEmpty(params)) return "";
  std::string joined;
  for (const std::string& param : params) joined += " " + param;
  return cl::Trim(joined);
}

}  // namespace viewer
