// Captions of the viewer's image windows: a window that shows no file yet is "Untitled" followed by a number.
#pragma once

#include <string>
#include <vector>

namespace viewer {

// True when the caption's first eight characters are "Untitled".
bool IsUntitledCaption(const std::string& caption);

// The caption of a new window, given the captions of every image window with the new one included: "Untitled"
// followed by how many of them are untitled. Names can repeat after a window closed.
std::string UntitledCaption(const std::vector<std::string>& captions);

}  // namespace viewer
