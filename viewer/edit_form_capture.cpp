// The image window's commands that move its picture out to the rest of the system: a screen capture into a new
// window, the desktop's wallpaper and printing.
#include "classlib/core/exceptions.h"
#include "classlib/core/paths.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/menus.h"
#include "classlib/win/printer.h"
#include "classlib/win/registry.h"
#include "image/load_image.h"
#include "image/print_job.h"
#include "viewer/core/capture_rules.h"
#include "viewer/core/window_names.h"
#include "viewer/edit_form.h"
#include "viewer/print_bitmap.h"

namespace viewer {

void TEditForm::CreateCaptureItems() {
  const auto addWallpaperMenu = [this](cl::TMenuItem* parent, const std::string& number) {
    cl::TMenuItem* menu = AddMenuItem(parent, "SetAsWallpaper" + number, "Set as the Windows Wallpaper...");
    AddMenuItem(menu, "Tile" + number, "Tile", 0, CL_EVENT(Tile1Click));
    AddMenuItem(menu, "Center" + number, "Center", 0, CL_EVENT(Center1Click));
    return menu;
  };
  AddMenuItem(Image2, "N16", "-");
  SetAsWallpaper1 = addWallpaperMenu(Image2, "1");
  AddMenuItem(Image2, "Screen1", "&Capture Screen...", 0, CL_EVENT(Screen1Click));
  AddMenuItem(PopupMenu1->Items(), "N17", "-");
  SetAsWallpaper2 = addWallpaperMenu(PopupMenu1->Items(), "2");
  AddMenuItem(PopupMenu1->Items(), "Screen2", "Capture Screen...", 0, CL_EVENT(Screen1Click));
}

void TEditForm::UpdateWallpaperItems() {
  const bool hasFile = !IsUntitledCaption(Caption());
  SetAsWallpaper1->SetEnabled(hasFile);
  SetAsWallpaper2->SetEnabled(hasFile);
}

void TEditForm::Screen1Click(cl::TObject*) {
  StartCapture(CtlGlobalHotKeys, Owner());
}

void TEditForm::CtlGlobalHotKey1KeyDown(cl::TObject*, WORD&, cl::TShiftState) {
  CaptureOnHotKey(CtlGlobalHotKeys, Owner());
}

void TEditForm::Tile1Click(cl::TObject*) {
  SetWallpaper(true);
}

void TEditForm::Center1Click(cl::TObject*) {
  SetWallpaper(false);
}

void TEditForm::SetWallpaper(bool tile) {
  const std::string caption = Caption();
  if (IsUntitledCaption(caption)) return;
  const WallpaperChoice choice = ChooseWallpaper(caption);
  // The key is closed when the registry object goes, also when the bitmap cannot be written; the values then
  // stay as they were.
  cl::TRegistry desktop;
  desktop.SetRootKey(HKEY_CURRENT_USER);
  if (!desktop.OpenKey(kDesktopKey, true))
    throw cl::ERegistryException("Failed to set data for '" + std::string(kWallpaperValue) + "'");
  if (choice.WriteBitmap) Image1->Picture()->Bitmap()->SaveToFile(choice.Wallpaper);
  desktop.WriteString(kWallpaperValue, choice.Wallpaper);
  desktop.WriteString(kTileWallpaperValue, TileWallpaperText(tile));
}

void TEditForm::Print1Click(cl::TObject*) {
  cl::TBitmap* picture = Image1->Picture()->Bitmap();
  // The job is named after the picture's file, as the spooler and a printer that writes files show it.
  img::PrintOnePage(cl::ExtractFileName(Caption()), [picture](cl::TPrinter& printer) {
    PrintBitmap3x(printer.Canvas(), picture, 0, 0, printer.PageWidth(), printer.PageHeight());
  });
}

}  // namespace viewer
