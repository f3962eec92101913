// The editing commands of an image window: flip, mirror, negative, rotate, brightness and contrast, grey scale,
// the selection with crop, copy and paste, the zoom steps, fit to window and the full-screen preview; their menus
// and the items whose state follows the clipboard and the selection.
#include <algorithm>
#include <optional>

#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/core/finally.h"
#include "classlib/core/numbers.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/clipboard.h"
#include "classlib/win/dialogs.h"
#include "classlib/win/dib.h"
#include "classlib/win/gdi.h"
#include "classlib/win/menus.h"
#include "classlib/win/picture.h"
#include "classlib/win/scroll_box.h"
#include "classlib/win/stdctrls.h"
#include "controls/bitmap_drawing.h"
#include "image/all_scr_frm.h"
#include "image/load_image.h"
#include "toolbars/toolbar_button.h"
#include "viewer/adjust_form.h"
#include "viewer/core/gray_palette.h"
#include "viewer/core/image_files.h"
#include "viewer/core/spin_rules.h"
#include "viewer/core/zoom_steps.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/glyph_spin.h"
#include "viewer/hour_glass.h"
#include "viewer/pref_form.h"
#include "viewer/rotate_form.h"

namespace viewer {

bool ViewScaled = false;

namespace {

constexpr char kGrayProgress[] = "Converting to Grayscale...Please Wait";
// The background conversion lets the program handle its messages (twice) every this many rows.
constexpr int kYieldRows = 5;
constexpr int kAdjustLimit = 100;
constexpr int kActualSize = 100;

bool ClipboardHasBitmap() {
  return cl::Clipboard()->HasFormat(CF_BITMAP);
}

void Tell(const std::string& text) {
  cl::MessageDlg(text, cl::mtInformation, {cl::mbOK}, 0);
}

// The display's grey palette; "Cannot create palette" when the system refuses it.
HPALETTE MakeGrayPalette(const std::vector<uint8_t>& levels) {
  std::vector<uint8_t> block(sizeof(LOGPALETTE) + levels.size() * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(levels.size());
  for (size_t i = 0; i < levels.size(); ++i) palette->palPalEntry[i] = {levels[i], levels[i], levels[i], 0};
  HPALETTE made = CreatePalette(palette);
  if (!made) throw cl::EOutOfResources("Cannot create palette");
  return static_cast<HPALETTE>(cl::gdi::Track(made));
}

std::vector<uint8_t> DisplayGrayLevels() {
  cl::gdi::WindowDC screen(nullptr);
  HDC dc = screen.Get();
  const int bits = GrayPaletteBits((GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0, GetDeviceCaps(dc, COLORRES),
                                   GetDeviceCaps(dc, BITSPIXEL), GetDeviceCaps(dc, PLANES));
  return GrayPaletteLevels(GrayPaletteSize(bits));
}

}  // namespace

void TEditForm::CreateEditMenus() {
  cl::TMenuItem* root = MainMenu1->Items();
  Edit1 = AddMenuItem(root, "Edit1", "&Edit", 0, CL_EVENT(Edit1Click));
  Edit1->SetGroupIndex(1);
  Copy1 = AddMenuItem(Edit1, "Copy1", "&Copy", cl::ShortCut('C', {cl::ssCtrl}), CL_EVENT(Copy1Click));
  Paste1 = AddMenuItem(Edit1, "Paste1", "&Paste");
  AsNewImage1 =
      AddMenuItem(Paste1, "AsNewImage1", "As New Image", cl::ShortCut('V', {cl::ssCtrl}), CL_EVENT(AsNewImage1Click));
  IntoSelection1 = AddMenuItem(Paste1, "IntoSelection1", "Into Selection", cl::ShortCut('I', {cl::ssCtrl}),
                               CL_EVENT(IntoSelection1Click));

  View1 = AddMenuItem(root, "View1", "&View");
  View1->SetGroupIndex(2);
  FullScreenPreview1 =
      AddMenuItem(View1, "FullScreenPreview1", "Full Screen Preview...", 0, CL_EVENT(FullScreenPreview1Click));
  ZoomIn1 = AddMenuItem(View1, "ZoomIn1", "Zoom In");
  ZoomOut1 = AddMenuItem(View1, "ZoomOut1", "Zoom Out");
  for (const auto& [menu, steps] : {std::pair{ZoomIn1, &kZoomInSteps}, std::pair{ZoomOut1, &kZoomOutSteps}}) {
    for (const ZoomStep& step : *steps) {
      AddMenuItem(menu, step.Name, step.Caption, 0, CL_EVENT(ZoomStepClick))->SetTag(step.Percent);
    }
  }
  ActualView1 = AddMenuItem(View1, "ActualView1", "Actual View (1:1)...", 0, CL_EVENT(ActualView1Click));
  FittoWindow1 = AddMenuItem(View1, "FittoWindow1", "&Fit to Window", cl::ShortCut('F', {cl::ssCtrl}),
                             CL_EVENT(FittoWindow1Click));

  Image2 = AddMenuItem(root, "Image2", "Image", 0, CL_EVENT(Image2Click));
  Image2->SetGroupIndex(3);
  Flip1 = AddMenuItem(Image2, "Flip1", "Flip...", 0, CL_EVENT(Flip1Click));
  Mirror1 = AddMenuItem(Image2, "Mirror1", "Mirror...", 0, CL_EVENT(Mirror1Click));
  Rotate1 = AddMenuItem(Image2, "Rotate1", "Rotate...", cl::ShortCut('R', {cl::ssCtrl}), CL_EVENT(Rotate1Click));
  NegativeImage1 = AddMenuItem(Image2, "NegativeImage1", "Negative Image", 0, CL_EVENT(NegativeImage1Click));
  Grayscale1 = AddMenuItem(Image2, "Grayscale1", "Grayscale", 0, CL_EVENT(Grayscale1Click));
  AdjustBrightnessContratsSaturation1 =
      AddMenuItem(Image2, "AdjustBrightnessContratsSaturation1", "Adjust Brightness/Contrast...", 0,
                  CL_EVENT(AdjustBrightnessContratsSaturation1Click));
  AddMenuItem(Image2, "N12", "-");
  SelectArea1 = AddMenuItem(Image2, "SelectArea1", "Select Area...", 0, CL_EVENT(SelectArea1Click));
  Crop1 = AddMenuItem(Image2, "Crop1", "Crop", 0, CL_EVENT(Crop1Click));

  PopupMenu1 = cl::Make<cl::TPopupMenu>(this, "PopupMenu1");
  PopupMenu1->SetOnPopup(CL_EVENT(PopupMenu1Popup));
  Copy2 = AddMenuItem(PopupMenu1->Items(), "Copy2", "Copy", 0, CL_EVENT(Copy1Click));
  Paste2 = AddMenuItem(PopupMenu1->Items(), "Paste2", "&Paste");
  AsNewImage2 = AddMenuItem(Paste2, "AsNewImage2", "As New Image", 0, CL_EVENT(AsNewImage1Click));
  // Ctrl+S reaches Save As first: the picture never has the focus its pop-up menu's shortcuts need.
  IntoSelection2 = AddMenuItem(Paste2, "IntoSelection2", "Into Selection", cl::ShortCut('S', {cl::ssCtrl}),
                               CL_EVENT(IntoSelection1Click));
  CreateCaptureItems();
  Image1->SetPopupMenu(PopupMenu1);

  for (cl::TMenuItem* item : {Crop1, IntoSelection1, IntoSelection2}) item->SetEnabled(false);
  SetOnResize(CL_EVENT(FormResize));
}

void TEditForm::UpdateEditItems() {
  const bool bitmap = ClipboardHasBitmap();
  Paste1->SetEnabled(bitmap);
  Paste2->SetEnabled(bitmap);
  IntoSelection1->SetEnabled(FSelecting);
  IntoSelection2->SetEnabled(FSelecting);
  for (cl::TMenuItem* item : {ZoomIn1, ZoomOut1, FittoWindow1}) item->SetEnabled(!FSelecting);
  UpdateWallpaperItems();
}

void TEditForm::Edit1Click(cl::TObject*) {
  Paste1->SetEnabled(ClipboardHasBitmap());
  IntoSelection1->SetEnabled(FSelecting);
}

void TEditForm::Image2Click(cl::TObject*) {
  UpdateWallpaperItems();
  Crop1->SetEnabled(FSelecting);
}

void TEditForm::PopupMenu1Popup(cl::TObject*) {
  Paste2->SetEnabled(ClipboardHasBitmap());
}

void TEditForm::Preferences1Click(cl::TObject* sender) {
  if (FrameForm) FrameForm->Preferences1Click(sender);
}

void TEditForm::Postprocess() {
  FDocument.SetModified(true);
  WriteWorkingCopy();
  Image1->ChangeFile(FDocument.WorkFile());
  ScrollToTopLeft();
}

void TEditForm::ReloadFromShownPicture() {
  if (FDocument.WorkFile().empty()) throw cl::EFCreateError("Cannot create file ''");
  Image1->Picture()->Bitmap()->SaveToFile(FDocument.WorkFile());
  Image1->ChangeFile(FDocument.WorkFile());
}

void TEditForm::Flip1Click(cl::TObject*) {
  if (FBusy) return;
  Image1->FlipitH(true);
  Postprocess();
}

void TEditForm::Mirror1Click(cl::TObject*) {
  if (FBusy) return;
  Image1->FlipitV(true);
  Postprocess();
}

void TEditForm::NegativeImage1Click(cl::TObject*) {
  if (FBusy) return;
  // Inverted where it lies: turning the picture left to right twice first would only cost time.
  Image1->Hide();
  Image1->InvertTheBitMap(true);
  Image1->Show();
  Postprocess();
}

void TEditForm::Rotate1Click(cl::TObject*) {
  if (FBusy || !RotateFrm) return;
  if (RotateFrm->ShowModal() == cl::mrOk) {
    // A free angle that is no number raises here, before anything changed.
    const RotateCommand command = RotateFrm->Command();
    switch (command.Turn) {
      case RotateTurn::Clockwise90:
        Image1->RotateRight90(true);
        break;
      case RotateTurn::Half:
        Image1->RotateIt180(true);
        break;
      case RotateTurn::CounterClockwise90:
        Image1->RotateIt270(true);
        break;
      case RotateTurn::Free:
        // A failed turn keeps the picture; writing it would gain nothing.
        if (!Image1->Rotate(command.Angle, 0)) {
          Tell("unable to rotate");
          return;
        }
        break;
      case RotateTurn::None:
        break;
    }
  }
  Postprocess();
}

void TEditForm::AdjustBrightnessContratsSaturation1Click(cl::TObject*) {
  if (FBusy || !AdjustFrm) return;
  AdjustFrm->ShowModal();
  if (AdjustFrm->AdjustAccepted()) {
    // A value typed out of range and taken with Enter was never clamped by the box.
    const auto value = [](TGlyphSpinEdit* edit) {
      return static_cast<int>(ClampSpinValue<int64_t>(cl::Round(edit->Value()), -kAdjustLimit, kAdjustLimit));
    };
    Image1->ChangeBrightnessandContrast(value(AdjustFrm->SpinEdit1), value(AdjustFrm->SpinEdit2));
  }
  Postprocess();
}

void TEditForm::ConvertShownToGray(bool background) {
  cl::TBitmap* shown = Image1->Picture()->Bitmap();
  const int width = shown->Width(), height = shown->Height();
  // The pixels are read from a copy: the program may repaint or change the shown picture while it handles its
  // messages.
  const cl::bmp::TDibImage source = cl::dib::Read32(shown->Handle(), shown->Palette());
  const std::vector<uint8_t> levels = DisplayGrayLevels();
  cl::gdi::Object<HPALETTE> palette(MakeGrayPalette(levels));
  const std::vector<uint16_t> nearest = NearestGrayIndexes(levels);
  cl::Owned<cl::TBitmap> target = cl::MakeOwned<cl::TBitmap>();
  target->SetPixelFormat(cl::pf24bit);
  target->SetSize(width, height);
  const size_t stride = source.Stride();
  for (int y = 0; y < height; ++y) {
    if (background && y % kYieldRows == 0) {
      cl::Application->ProcessMessages();
      cl::Application->ProcessMessages();
    }
    // Source rows are stored bottom-up.
    const uint8_t* from = source.Bits.data() + (height - 1 - y) * stride;
    auto* to = static_cast<uint8_t*>(target->ScanLine(y));
    for (int x = 0; x < width; ++x, from += 4, to += 3) {
      const uint8_t grey = levels[nearest[GrayOfColor(from[2], from[1], from[0])]];
      to[0] = to[1] = to[2] = grey;
    }
  }
  target->SetPalette(palette.Release());
  Image1->Picture()->Assign(target.get());
}

void TEditForm::Grayscale1Click(cl::TObject*) {
  if (FBusy) return;
  if (FrameForm) FrameForm->SetStatusText(TFrameForm::kHintPanel, kGrayProgress);
  const bool background = PrefFrm && PrefFrm->CheckBox2->Checked();
  std::optional<HourGlass> hourGlass;
  if (!background) hourGlass.emplace();
  try {
    FBusy = true;
    auto done = cl::Finally([this] { FBusy = false; });
    ConvertShownToGray(background);
    // The grey picture goes to the working copy and back once: writing it a second time would change nothing.
    FDocument.SetModified(true);
    ReloadFromShownPicture();
    ScrollToTopLeft();
  } catch (...) {
    // A close asked for meanwhile still comes, after the failure has been reported.
    if (std::exchange(FCloseWhenDone, false)) PostMessageA(Handle(), WM_CLOSE, 0, 0);
    throw;
  }
  hourGlass.reset();
  if (std::exchange(FCloseWhenDone, false)) Close();
}

void TEditForm::SelectArea1Click(cl::TObject*) {
  // The band is drawn and read back at the picture's own size only.
  if (FBusy || FViewScaled) return;
  Image1->SetScrollerThumbPosX(ScrollBox1->HorzScrollBar()->Position());
  Image1->SetScrollerThumbPosY(ScrollBox1->VertScrollBar()->Position());
  bool changed = false;
  Image1->croptool_off(changed, SelRect);
  const cl::TRect first = InitialSelection(
      {ScrollBox1->Width(), ScrollBox1->Height(), ScrollBox1->ClientWidth(), ScrollBox1->ClientHeight()},
      {Image1->Width(), Image1->Height(), Image1->ClientWidth(), Image1->ClientHeight()});
  // Shown whole at actual size, with the first band as the rectangle the crop tool starts from.
  Image1->ReDraw(first, false, true);
  Image1->croptool_on();
  FSelecting = true;
  ScrollToTopLeft();
}

void TEditForm::Crop1Click(cl::TObject*) {
  if (FBusy || !FSelecting) return;
  bool changed = false;
  Image1->croptool_off(changed, SelRect);
  FSelecting = false;
  Image1->ReDraw(SelRect, true, true);
  FDocument.SetModified(true);
  ReloadFromShownPicture();
  ScrollToTopLeft();
}

void TEditForm::Copy1Click(cl::TObject*) {
  if (FBusy) return;
  if (FSelecting) {
    bool changed = false;
    Image1->croptool_off(changed, SelRect);
    cl::Owned<cl::TBitmap> part = cl::MakeOwned<cl::TBitmap>();
    part->SetSize(SelRect.Width(), SelRect.Height());
    ctl::DrawBitmapRect(part->Canvas(), cl::Rect(0, 0, SelRect.Width(), SelRect.Height()), Image1->Canvas(), nullptr, 0,
                        0, SelRect);
    cl::Clipboard()->Assign(part.get());
  } else {
    cl::Clipboard()->Assign(Image1->Picture()->Bitmap());
  }
  ScrollToTopLeft();
}

void TEditForm::IntoSelection1Click(cl::TObject*) {
  if (FBusy || !FSelecting || !ClipboardHasBitmap()) return;
  cl::Owned<cl::TBitmap> pasted = cl::MakeOwned<cl::TBitmap>();
  pasted->Assign(cl::Clipboard());
  bool changed = false;
  Image1->croptool_off(changed, SelRect);
  ctl::DrawBitmapRect(Image1->Canvas(), SelRect, pasted->Canvas(), pasted.get(), 0, ctl::dfStretch,
                      cl::Rect(0, 0, pasted->Width(), pasted->Height()));
  FDocument.SetModified(true);
  ReloadFromShownPicture();
  ScrollToTopLeft();
}

void TEditForm::TakeClipboardBitmap() {
  FDocument.SetModified(true);
  Image1->Picture()->Assign(cl::Clipboard());
  const auto sizeToPicture = [this] {
    Image1->SetBounds(Image1->Left(), Image1->Top(), Image1->Picture()->Width(), Image1->Picture()->Height());
  };
  sizeToPicture();
  ReloadFromShownPicture();
  sizeToPicture();
  ScrollToTopLeft();
}

TEditForm* PasteAsNewImage(cl::TComponent* owner) {
  // Without a bitmap there is nothing to paste, and no empty window is left behind.
  if (!ClipboardHasBitmap()) return nullptr;
  TEditForm* window = cl::New<TEditForm>(owner);
  try {
    window->TakeClipboardBitmap();
  } catch (...) {
    window->Free();
    throw;
  }
  return window;
}

void TEditForm::AsNewImage1Click(cl::TObject*) {
  PasteAsNewImage(Owner());
}

void TEditForm::ZoomPercent(int percent) {
  bool changed = false;
  Image1->croptool_off(changed, SelRect);
  FSelecting = false;
  Image1->SetStretch(true);
  Image1->SetBounds(Image1->Left(), Image1->Top(), ZoomSize(percent, Image1->Picture()->Width()),
                    ZoomSize(percent, Image1->Picture()->Height()));
  SetViewScaled(percent != kActualSize);
}

void TEditForm::SetViewScaled(bool scaled) {
  FViewScaled = scaled;
  // A band shown on the view before would no longer stand for the same part of the picture.
  if (scaled && FSelecting) {
    bool changed = false;
    Image1->croptool_off(changed, SelRect);
    FSelecting = false;
  }
  SelectArea1->SetEnabled(!scaled);
  ViewScaled = scaled;
  if (FrameForm) FrameForm->CMBtn8->SetEnabled(!scaled);
}

void TEditForm::ShowViewScaled() {
  ViewScaled = FViewScaled;
  // The frame's timer enables the button again for a view at the picture's size.
  if (FViewScaled && FrameForm) FrameForm->CMBtn8->SetEnabled(false);
}

void TEditForm::ZoomStepClick(cl::TObject* sender) {
  if (FBusy) return;
  ZoomPercent(static_cast<int>(static_cast<cl::TMenuItem*>(sender)->Tag()));
}

void TEditForm::ActualView1Click(cl::TObject*) {
  if (FBusy) return;
  ZoomPercent(kActualSize);
}

void TEditForm::FittoWindow1Click(cl::TObject*) {
  if (FBusy) return;
  const bool fit = !FittoWindow1->Checked();
  FittoWindow1->SetChecked(fit);
  Image1->SetStretch(fit);
  if (fit) {
    Image1->SetBounds(Image1->Left(), Image1->Top(), FitSize(ClientWidth()), FitSize(ClientHeight()));
  } else {
    Image1->SetBounds(Image1->Left(), Image1->Top(), Image1->Picture()->Width(), Image1->Picture()->Height());
  }
  SetViewScaled(fit);
}

void TEditForm::FormResize(cl::TObject*) {
  if (!FittoWindow1->Checked()) return;
  Image1->SetBounds(Image1->Left(), Image1->Top(), FitSize(ClientWidth()), FitSize(ClientHeight()));
  // Fitted again also after an actual-size zoom that left the check mark.
  if (!FViewScaled) SetViewScaled(true);
}

void TEditForm::AutoFitLargePicture() {
  if (!PrefFrm || !PrefFrm->CheckBox1->Checked() || FittoWindow1->Checked()) return;
  if (IsLargePicture(Image1->Picture()->Width(), Image1->Picture()->Height())) FittoWindow1Click(this);
}

void TEditForm::FullScreenPreview1Click(cl::TObject*) {
  img::TAllScrFrm* full = img::AllScrFrm;
  if (FBusy || !full) return;
  img::TLoadImage* preview = full->Image1;
  {
    HourGlass hourGlass;
    preview->Hide();
    const std::string& workFile = FDocument.WorkFile();
    // The working copy is a BMP file, so the preview's image control reads it itself.
    if (cl::FileExists(workFile)) {
      preview->ChangeFile(workFile);
      preview->SetBounds(0, 0, Image1->Picture()->Width(), Image1->Picture()->Height());
      preview->Show();
    } else {
      preview->SetBounds(0, 0, 0, 0);
    }
    if (preview->ImageError()) Tell(workFile + "-unable to load");
  }
  preview->SetBounds(0, 0, preview->Width(), preview->Height());
  full->ShowModal();
}

}  // namespace viewer
