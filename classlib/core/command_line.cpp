#include "classlib/core/command_line.h"

namespace cl {

namespace {

bool IsSeparator(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> parameters;
  size_t i = 0;
  while (true) {
    while (true) {
      while (i < commandLine.size() && IsSeparator(commandLine[i])) ++i;
      if (commandLine.substr(i, 2) != "\"\"") break;
      i += 2;
    }
    if (i == commandLine.size()) break;
    std::string parameter;
    bool quoted = false;
    for (; i < commandLine.size() && (quoted || !IsSeparator(commandLine[i])); ++i) {
      if (commandLine[i] == '"') {
        quoted = !quoted;
      } else {
        parameter += commandLine[i];
      }
    }
    parameters.push_back(std::move(parameter));
  }
  return parameters;
}

}  // namespace cl
