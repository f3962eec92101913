// The MDI side of TForm: the frame's client window, children made with WS_EX_MDICHILD, and the arranging
// commands.
#include <windows.h>

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"
#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "classlib/win/screen.h"

namespace cl {
namespace {
// Ids of the children's entries in the window list.
constexpr UINT kFirstMDIChildId = 0xFF00;
}  // namespace

TForm* TForm::MDIFrame() const {
  // A child's window sits in its frame's client window; before it has one, the frame is the first there is.
  if (HWND client = BoundWindow() ? GetParent(BoundWindow()) : nullptr) {
    if (auto* frame = dynamic_cast<TForm*>(FindControl(GetParent(client)))) return frame;
  }
  if (!Screen) return nullptr;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TForm* form = Screen->Forms(i);
    if (form->FormStyle() == fsMDIForm) return form;
  }
  return nullptr;
}

std::vector<TForm*> TForm::MDIChildList() const {
  std::vector<TForm*> children;
  if (!FClientHandle) return children;
  for (HWND wnd = GetWindow(FClientHandle, GW_CHILD); wnd; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
    auto* child = dynamic_cast<TForm*>(FindControl(wnd));
    if (child && child->FormStyle() == fsMDIChild) children.push_back(child);
  }
  return children;
}

TForm* TForm::ActiveMDIChild() const {
  if (!FClientHandle) return nullptr;
  HWND active = reinterpret_cast<HWND>(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TForm*>(FindControl(active));
}

int TForm::MDIChildCount() const {
  return static_cast<int>(MDIChildList().size());
}

TForm* TForm::MDIChildren(int index) const {
  std::vector<TForm*> children = MDIChildList();
  if (index < 0 || index >= static_cast<int>(children.size())) {
    throw EListError(Format("List index out of bounds (%d)", {index}));
  }
  return children[index];
}

void TForm::Tile() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void TForm::Cascade() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TForm::ArrangeIcons() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDIICONARRANGE, 0, 0);
}

void TForm::Next() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDINEXT, 0, 0);
}

void TForm::Previous() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDINEXT, 0, 1);
}

void TForm::RefreshWindowList() {
  HWND client = GetParent(BoundWindow());
  if (!client) return;
  SendMessageA(client, WM_MDIREFRESHMENU, 0, 0);
  DrawMenuBar(GetParent(client));
}

void TForm::AlignControls(TControl* control, TRect& rect) {
  inherited::AlignControls(control, rect);
  // The MDI client window gets what the aligned controls leave. It is painted anew: bits copied from where it
  // stood would keep what a dock that grew and shrank again left on the screen.
  if (FClientHandle) {
    SetWindowPos(FClientHandle, nullptr, rect.Left, rect.Top, std::max(0, rect.Width()), std::max(0, rect.Height()),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }
}

void TForm::DefaultHandler(TMessage& message) {
  HWND wnd = BoundWindow();
  if (!wnd) return;
  if (FFormStyle == fsMDIForm && FClientHandle) {
    message.Result = DefFrameProcA(wnd, FClientHandle, message.Msg, message.WParam, message.LParam);
  } else if (FFormStyle == fsMDIChild) {
    message.Result = DefMDIChildProcA(wnd, message.Msg, message.WParam, message.LParam);
  } else {
    inherited::DefaultHandler(message);
  }
}

void TForm::CreateMDIClient() {
  CLIENTCREATESTRUCT create{nullptr, kFirstMDIChildId};
  RECT r;
  GetClientRect(Handle(), &r);
  FClientHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, r.right,
                                  r.bottom, Handle(), nullptr, GetModuleHandleA(nullptr), &create);
  if (!FClientHandle) throw EOutOfResources();
  Realign();
}

void TForm::MDIChildParams(TCreateParams& params) {
  TForm* frame = MDIFrame();
  if (!frame || !frame->ClientHandle())
    throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
  params.Style &= ~WS_POPUP;
  params.Style |= WS_CHILD | WS_VISIBLE;
  params.ExStyle |= WS_EX_MDICHILD;
  params.WndParent = frame->ClientHandle();
  if (FPosition == poDesigned) return;
  params.X = params.Y = params.Width = params.Height = CW_USEDEFAULT;
}

}  // namespace cl
