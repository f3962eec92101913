#include "controls/about_dlg.h"

#include "classlib/core/finally.h"
#include "classlib/core/string_list.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/forms.h"
#include "classlib/win/graphics_tools.h"
#include "classlib/win/icon.h"
#include "classlib/win/stdctrls.h"
#include "classlib/win/system_seams.h"
#include "controls/bitmap_drawing.h"
#include "controls/ctl_application.h"
#include "controls/ctl_form_styles.h"
#include "controls/simple_label.h"
#include "controls/system_info.h"
#include "controls/window_effects.h"

namespace ctl {
namespace {

// The string table entries of the about box's texts, in the order of TAboutTexts.
constexpr UINT kAboutTextIds = 16600;
constexpr int kNameLabelLeft = 93;
constexpr int kNameLabelTop = 18;
constexpr cl::TColor kPictureShadow = 0x808080;

std::string LoadText(UINT id, const std::string& fallback) {
  char buffer[256];
  const int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, length) : fallback;
}

// The icon the box shows: its own, else the application's, else the system's application icon, so that a program
// without an icon still gets a picture.
void ChooseIcon(cl::TIcon* chosen, const cl::TIcon* own) {
  if (!own->Empty()) {
    chosen->Assign(own);
  } else if (cl::Application && cl::Application->Icon() && !cl::Application->Icon()->Empty()) {
    chosen->Assign(cl::Application->Icon());
  }
  if (chosen->Empty()) chosen->SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
}

// The extended style's picture: the icon doubled in a black frame with a grey shadow on clBtnFace.
void DrawFramedIcon(cl::TBitmap* picture, cl::TIcon* icon) {
  const cl::TPoint size = ExtendedPictureSize(icon->Width(), icon->Height());
  const int w = size.X, h = size.Y;
  picture->SetWidth(w);
  picture->SetHeight(h);
  cl::TCanvas* canvas = picture->Canvas();
  canvas->Brush()->SetColor(cl::clBtnFace);
  canvas->FillRect(cl::Rect(0, 0, w, h));
  canvas->Brush()->SetColor(kPictureShadow);
  canvas->FillRect(cl::Rect(6, h - 6, w, h));
  canvas->FillRect(cl::Rect(w - 6, 6, w, h));
  cl::Owned<cl::TBitmap> iconBitmap = cl::MakeOwned<cl::TBitmap>();
  IconToBitmap(iconBitmap.get(), icon, cl::clBtnFace);
  canvas->StretchDraw(cl::Rect(1, 1, w - 6, h - 6), iconBitmap.get());
  canvas->Brush()->SetColor(cl::clBlack);
  canvas->FrameRect(cl::Rect(0, 0, w - 5, h - 5));
}

// The parts of the built box.
struct AboutForm {
  cl::TForm* Form = nullptr;
  cl::TImage* Picture = nullptr;
  cl::TButton* Ok = nullptr;
  cl::TButton* Custom = nullptr;
  cl::TBevel* Bevel = nullptr;
  TCtlSimpleLabel* Lines[kAboutLineCount] = {};
  TCtlFormStyler* Styler = nullptr;
  TCtlBack* Back = nullptr;
};

constexpr const char* kLineNames[kAboutLineCount] = {"NameLabel",        "VersionLabel", "DescriptionLabel",
                                                     "CopyrightLabel",   "LinkLabel",    "SystemCaptionsLabel",
                                                     "SystemValuesLabel"};

void BuildControls(AboutForm& box, int appNameSize) {
  cl::TForm* form = box.Form;
  box.Picture = cl::Make<cl::TImage>(form, "Picture");
  box.Picture->SetParent(form);
  box.Picture->SetBounds(15, 7, box.Picture->Width(), box.Picture->Height());
  box.Picture->SetStretch(true);

  box.Ok = cl::Make<cl::TButton>(form, "OkButton");
  box.Ok->SetParent(form);
  box.Ok->SetCaption("OK");
  box.Ok->SetModalResult(cl::mrOk);
  box.Ok->SetDefault(true);
  box.Ok->SetCancel(true);
  box.Ok->SetTabOrder(0);
  box.Custom = cl::Make<cl::TButton>(form, "CustomButton");
  box.Custom->SetParent(form);
  box.Custom->SetVisible(false);
  box.Custom->SetTabOrder(1);
  form->SetActiveControl(box.Ok);

  box.Bevel = cl::Make<cl::TBevel>(form, "Bevel");
  box.Bevel->SetParent(form);
  box.Bevel->SetShape(cl::bsTopLine);
  box.Bevel->SetBounds(96, 181, 153, 3);

  for (int line = 0; line < kAboutLineCount; ++line) {
    TCtlSimpleLabel* label = cl::Make<TCtlSimpleLabel>(form, kLineNames[line]);
    label->SetParent(form);
    label->SetMultiLine(true);
    label->SetShowAccelChar(false);
    box.Lines[line] = label;
  }
  TCtlSimpleLabel* name = box.Lines[alName];
  name->SetBounds(kNameLabelLeft, kNameLabelTop, name->Width(), name->Height());
  name->Font()->SetName("Arial");
  name->Font()->SetStyle({cl::fsBold});
  name->Font()->SetSize(appNameSize);
  name->Font3D()->SetStyle(tdSunken);
  box.Lines[alVersion]->Font()->SetStyle({cl::fsBold});
  TCtlSimpleLabel* link = box.Lines[alLink];
  link->Font()->SetColor(cl::clBlue);
  link->Font()->SetStyle({cl::fsUnderline});
  link->SetJumpMode(jmInternet);

  box.Styler = cl::Make<TCtlFormStyler>(form, "FormStyler");
  box.Styler->SetEnabled(false);
  box.Styler->SetOptions({fsAdjustRect, fsUseDefaultFont, fsUseFormCaption});
  box.Back = cl::Make<TCtlBack>(form, "Back");
  box.Back->SetEnabled(false);
}

}  // namespace

TAboutTexts LoadAboutTexts() {
  TAboutTexts texts;
  std::string* fields[] = {&texts.Info,         &texts.AvailableMemory, &texts.SystemResources,
                           &texts.OrCompatible, &texts.PlatformCpu,     &texts.Free};
  UINT id = kAboutTextIds;
  for (std::string* field : fields) *field = LoadText(id++, *field);
  return texts;
}

TCtlBaseDialog::TCtlBaseDialog(cl::TComponent* owner)
    : TCtlContainerComponent(owner), FHints(cl::New<cl::TStringList>()) {}

void TCtlBaseDialog::BeforeDestruction() {
  inherited::BeforeDestruction();
  cl::FreeAndNil(FHints);
}

void TCtlBaseDialog::SetHints(const cl::TStrings* hints) {
  FHints->Assign(hints);
}

TCtlAboutDlg::TCtlAboutDlg(cl::TComponent* owner) : TCtlBaseDialog(owner), FIcon(cl::New<cl::TIcon>()) {}

void TCtlAboutDlg::BeforeDestruction() {
  inherited::BeforeDestruction();
  cl::FreeAndNil(FIcon);
}

void TCtlAboutDlg::SetIcon(const cl::TIcon* icon) {
  if (icon) {
    FIcon->Assign(icon);
  } else {
    FIcon->SetHandle(nullptr);
  }
}

bool TCtlAboutDlg::Execute(cl::TForm* owner) {
  return FStyle == bsStandard ? ExecuteStandard(owner) : ExecuteOwn(owner);
}

bool TCtlAboutDlg::ExecuteStandard(cl::TForm* owner) {
  const std::string title = AboutTitle(FAppname, cl::Application->Title());
  cl::Owned<cl::TIcon> icon = cl::MakeOwned<cl::TIcon>();
  ChooseIcon(icon.get(), FIcon);
  const std::string text = ShellAboutText(CaptionTitle(), title);
  return cl::sys::ShellAboutA(owner ? owner->Handle() : nullptr, text.c_str(), FCopyright.c_str(), icon->Handle()) != 0;
}

bool TCtlAboutDlg::ExecuteOwn(cl::TForm* owner) {
  const TAboutTexts texts = LoadAboutTexts();
  AboutForm box;
  box.Form = cl::CreateNew<cl::TForm>(cl::Application);
  cl::Finally freeForm([&] { box.Form->Free(); });
  cl::TForm* form = box.Form;
  form->SetBorderStyle(cl::bsDialog);
  form->Font()->SetColor(cl::clWindowText);
  form->Font()->SetName("MS Sans Serif");
  form->Font()->SetHeight(-11);
  // The box is placed over its owner below; a default position would let the system choose its place and size.
  form->SetPosition(cl::poDesigned);
  form->SetPixelsPerInch(96);
  BuildControls(box, FAppNameSize);

  cl::Owned<cl::TIcon> icon = cl::MakeOwned<cl::TIcon>();
  ChooseIcon(icon.get(), FIcon);
  if (FIconStyle == isExtended) {
    DrawFramedIcon(box.Picture->Picture()->Bitmap(), icon.get());
  } else if (FIconStyle == isStandard) {
    box.Picture->Picture()->SetIcon(icon.get());
  }

  const TAboutSystemLines system = AboutSystemLines(texts, IsWinNTPlatform(), GetTotalPhysMemory(), GetProcessorCount(),
                                                    GetProcessorName(), GetFreeSysResPercent());
  TAboutLayoutInput input;
  input.IconStyle = FIconStyle;
  input.PixelsPerInch = form->PixelsPerInch();
  input.PictureWidth = box.Picture->Picture()->Width();
  input.PictureHeight = box.Picture->Picture()->Height();
  input.Texts[alName] = AboutTitle(FAppname, cl::Application->Title());
  input.Texts[alVersion] =
      AboutVersionText(FVersion, FUseDefault, CtlApplication ? CtlApplication->ProductVersion() : std::string());
  input.Texts[alDescription] = FDescription;
  input.Texts[alCopyright] = FCopyright;
  input.Texts[alLink] = FJump;
  input.Texts[alSystemCaptions] = system.Captions;
  input.Texts[alSystemValues] = system.Values;
  input.OkWidth = box.Ok->Width();
  input.OkHeight = box.Ok->Height();
  input.CustomWidth = box.Custom->Width();
  // A multi-line label measures its caption at its width: the width first, then the text.
  input.LabelHeight = [&box](TAboutLine line, const std::string& text, int width) {
    TCtlSimpleLabel* label = box.Lines[line];
    label->SetWidth(width);
    label->SetCaption(text);
    return label->Height();
  };
  // The frame's width is known once the window exists at its width.
  form->SetWidth(AboutFormWidth(FIconStyle, form->PixelsPerInch()));
  form->HandleNeeded();
  input.FrameWidth = form->Width() - form->ClientWidth();
  const TAboutLayout layout = LayoutAboutBox(input);

  box.Picture->SetVisible(layout.PictureVisible);
  box.Picture->SetBoundsRect(layout.Picture);
  for (int line = 0; line < kAboutLineCount; ++line) {
    if (!input.Texts[line].empty()) box.Lines[line]->SetBoundsRect(layout.Lines[line]);
  }
  box.Bevel->SetBoundsRect(layout.Bevel);
  box.Ok->SetBoundsRect(layout.Ok);
  box.Custom->SetBoundsRect(layout.Custom);
  if (ShowHints() && Hints()->Count() > 0) {
    form->SetShowHint(true);
    box.Ok->SetHint(Hints()->Strings(0));
    if (Hints()->Count() > 1) box.Custom->SetHint(Hints()->Strings(1));
    if (Hints()->Count() > 2) box.Picture->SetHint(Hints()->Strings(2));
  }
  form->SetClientSize(layout.ClientWidth, layout.ClientHeight);

  form->SetCaption(CaptionTitle().empty() ? DefaultAboutCaption(texts, cl::Application->Title()) : CaptionTitle());
  if (!CustomButton().empty()) {
    box.Custom->SetVisible(true);
    box.Custom->SetCaption(CustomButton());
    box.Custom->SetOnClick(OnCustomClick());
  }
  if (OnCustomize()) OnCustomize()(this, form);
  CenterFormOver(owner, form, false);
  if (Effect() == deExplode) ExplodeWindow(form->Handle());
  if (Effect() == deExplodeExt) ExplodeWindowExt(form->Handle());
  box.Styler->SetEnabled(CaptionFill());
  if (CaptionFill()) box.Styler->SetColors(Colors());
  if (ImageLink().ImageList()) {
    box.Back->ImageLink().SetImageList(ImageLink().ImageList());
    box.Back->ImageLink().SetListIndex(ImageLink().ListIndex());
    box.Back->ImageLink().SetImageIndex(ImageLink().ImageIndex());
    box.Back->SetEnabled(true);
  }
  form->ShowModal();
  return true;
}

}  // namespace ctl
