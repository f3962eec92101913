// Which files the viewer takes and how it names and saves them: the dropped-file filter, the GIF path, the save
// decisions, the dialog filters, and the texts of the status bar.
#pragma once

#include <string>

namespace viewer {

// Whether a dropped name opens: its upper-cased form contains one of the eight image extensions anywhere
// (a substring test, so "x.bmp.txt" opens and "y.jpeg" does not).
bool IsDroppedImage(const std::string& droppedName);

// True when the upper-cased name contains ".GIF" anywhere.
bool IsGifPath(const std::string& name);

// The extension as the image control keys it: upper-cased, cut to four characters with the dot (".tiff" gives
// ".TIF", ".jpeg" gives ".JPE").
std::string ExtensionKey(const std::string& name);
// Whether the image control writes a file of this name; any other name would write nothing.
bool IsWritableName(const std::string& name);
// Whether Save As asks before appending the picture to an existing TIFF or DCX file.
bool NeedsAppendQuestion(const std::string& name, bool fileExists, bool overWrite);
// Whether Save writes to the window's file directly (else it runs Save As).
bool SavesDirectly(const std::string& fileName, bool modified);
// Whether closing the window asks to save it.
bool CloseAsks(const std::string& caption, bool modified);
// Whether a picture is large enough to be fitted to the window when the preference asks for it.
bool IsLargePicture(int width, int height);

// Status bar texts: "(x, y)" under the mouse, "w x h" for the picture.
std::string PositionText(int x, int y);
std::string SizeText(int width, int height);

// The dialog filters, entries separated by '|' as the class library's dialogs take them.
extern const char kOpenFilter[];
extern const char kSaveFilter[];
// The name Save As writes: a name chosen without an extension gets the one of the save filter's entry
// filterIndex (1-based), ".bmp" outside the list; any other name stays as chosen.
std::string SaveDialogName(const std::string& chosen, int filterIndex);

// Files beside the program: the help file and the browser, named as the program's folder (with its backslash)
// followed by a backslash and the file name.
std::string HelpFileName(const std::string& exeName);
std::string BrowserCommandLine(const std::string& exeName);

}  // namespace viewer
