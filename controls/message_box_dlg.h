// TCtlMessageBoxDlg: the settings of a configurable message box (title, fonts and 3-D effects of its texts, buttons
// with their titles and hints, position, a glyph from an image list, a sound from a wave list). The programs read
// them and show their boxes through the class library's message dialog.
#pragma once

#include <string>

#include "classlib/win/dialogs.h"
#include "classlib/win/graphics_tools.h"
#include "classlib/win/stdctrls.h"
#include "controls/core/caption_effects.h"
#include "controls/ctl_controls.h"

namespace cl {
class TStringList;
class TStrings;
}  // namespace cl

namespace ctl {

class TCtlWaveList;

enum TCtlBoxPosition {
  bpCustom,
  bpTopLeft,
  bpTopCenter,
  bpTopRight,
  bpCenterLeft,
  bpCenter,
  bpCenterRight,
  bpBottomLeft,
  bpBottomCenter,
  bpBottomRight
};
enum TCtlBoxPosRel { brScreen, brMainForm, brActiveWindow };
enum TCtlMsgButtonStyle { mbsStandard };

class TCtlMessageBoxDlg : public TCtlContainerComponent {
  CL_CLASS(TCtlMessageBoxDlg, TCtlContainerComponent)
 public:
  // Becomes the application object's message box.
  explicit TCtlMessageBoxDlg(cl::TComponent* owner);
  // Stops being the application object's message box, unless a newer one took its place.
  void BeforeDestruction() override;

  TCtl3DCaption* MessageFont3D() const { return FMessageFont3D; }
  void SetMessageFont3D(const TCtl3DCaption* caption) { FMessageFont3D->Assign(caption); }
  TCtl3DCaption* CaptionFont3D() const { return FCaptionFont3D; }
  void SetCaptionFont3D(const TCtl3DCaption* caption) { FCaptionFont3D->Assign(caption); }
  TCtlGlyphTextLayout* MessageAlignment() const { return FMessageAlignment; }
  void SetMessageAlignment(const TCtlGlyphTextLayout* layout) { FMessageAlignment->Assign(layout); }
  cl::TFont* MessageFont() const { return FMessageFont; }
  void SetMessageFont(const cl::TFont* font) { FMessageFont->Assign(font); }
  cl::TFont* CaptionFont() const { return FCaptionFont; }
  void SetCaptionFont(const cl::TFont* font) { FCaptionFont->Assign(font); }
  cl::TFont* ButtonFont() const { return FButtonFont; }
  void SetButtonFont(const cl::TFont* font) { FButtonFont->Assign(font); }
  const std::string& CaptionTitle() const { return FCaptionTitle; }
  void SetCaptionTitle(const std::string& title) { FCaptionTitle = title; }
  cl::TAlignment CaptionAlignment() const { return FCaptionAlignment; }
  void SetCaptionAlignment(cl::TAlignment alignment) { FCaptionAlignment = alignment; }
  cl::TStringList* ButtonTitles() const { return FButtonTitles; }
  void SetButtonTitles(const cl::TStrings* titles);
  cl::TStringList* Hints() const { return FHints; }
  void SetHints(const cl::TStrings* hints);

  TCtlCustomImageList* CustomGlyphImageList() const { return FCustomGlyph.ImageList(); }
  void SetCustomGlyphImageList(TCtlCustomImageList* list) { FCustomGlyph.SetImageList(list); }
  // Negative indexes are ignored.
  int CustomGlyphListIndex() const { return FCustomGlyph.ListIndex(); }
  void SetCustomGlyphListIndex(int index) { FCustomGlyph.SetListIndex(index); }
  int CustomGlyphImageIndex() const { return FCustomGlyph.ImageIndex(); }
  void SetCustomGlyphImageIndex(int index) { FCustomGlyph.SetImageIndex(index); }
  bool CustomGlyph() const { return FUseCustomGlyph; }
  void SetCustomGlyph(bool custom) { FUseCustomGlyph = custom; }

  cl::TMsgDlgButtons Buttons() const { return FButtons; }
  void SetButtons(cl::TMsgDlgButtons buttons) { FButtons = buttons; }
  int BoxLeft() const { return FBoxLeft; }
  void SetBoxLeft(int left) { FBoxLeft = left; }
  int BoxTop() const { return FBoxTop; }
  void SetBoxTop(int top) { FBoxTop = top; }
  int BoxWidth() const { return FBoxWidth; }
  void SetBoxWidth(int width) { FBoxWidth = width; }
  int BoxHeight() const { return FBoxHeight; }
  void SetBoxHeight(int height) { FBoxHeight = height; }
  TCtlMsgButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TCtlMsgButtonStyle style) { FButtonStyle = style; }
  bool ShowHints() const { return FShowHints; }
  void SetShowHints(bool show) { FShowHints = show; }
  TCtlBoxPosition Position() const { return FPosition; }
  void SetPosition(TCtlBoxPosition position) { FPosition = position; }
  TCtlBoxPosRel RelatePos() const { return FRelatePos; }
  void SetRelatePos(TCtlBoxPosRel relation) { FRelatePos = relation; }
  bool PlayWave() const { return FPlayWave; }
  void SetPlayWave(bool play) { FPlayWave = play; }
  bool CaptionFill() const { return FCaptionFill; }
  void SetCaptionFill(bool fill) { FCaptionFill = fill; }
  int Colors() const { return FColors; }
  void SetColors(int colors) { FColors = colors; }

  TCtlWaveList* WaveList() const { return FWaveList; }
  void SetWaveList(TCtlWaveList* list);
  int WaveIndex() const { return FWaveIndex; }
  // A negative index is ignored.
  void SetWaveIndex(int index);

  cl::TMsgDlgType DlgType() const { return FDlgType; }
  void SetDlgType(cl::TMsgDlgType type) { FDlgType = type; }

 protected:
  void Notification(cl::TComponent* component, cl::TOperation operation) override;

 private:
  void UnlinkWaveList();

  TCtl3DCaption* FMessageFont3D;
  TCtl3DCaption* FCaptionFont3D;
  TCtlGlyphTextLayout* FMessageAlignment;
  cl::TFont* FMessageFont;
  cl::TFont* FCaptionFont;
  cl::TFont* FButtonFont;
  std::string FCaptionTitle;
  cl::TAlignment FCaptionAlignment = cl::taLeftJustify;
  cl::TStringList* FButtonTitles;
  cl::TStringList* FHints;
  TCtlImageListLink FCustomGlyph;
  bool FUseCustomGlyph = false;
  cl::TMsgDlgButtons FButtons{cl::mbOK};
  int FBoxLeft = 0;
  int FBoxTop = 0;
  int FBoxWidth = 0;
  int FBoxHeight = 0;
  TCtlMsgButtonStyle FButtonStyle = mbsStandard;
  bool FShowHints = false;
  TCtlBoxPosition FPosition = bpCenter;
  TCtlBoxPosRel FRelatePos = brScreen;
  bool FPlayWave = false;
  bool FCaptionFill = false;
  int FColors = 32;
  TCtlWaveList* FWaveList = nullptr;
  TCtlChangeLink* FWaveLink;
  int FWaveIndex = 0;
  cl::TMsgDlgType FDlgType = cl::mtCustom;
};

}  // namespace ctl
