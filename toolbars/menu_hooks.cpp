// The menus' hooks. The get-message hook sees every message the GUI thread takes from its queue: a press
// outside the open menus closes them, and key messages go to the keyboard decisions (core/menu_keyboard.h), which
// this file carries out; a key the menus take becomes WM_NULL before anything else sees it. The CBT hook tells
// the active menu bar of MDI child changes.
#include <algorithm>
#include <vector>

#include "classlib/core/string_utils.h"
#include "classlib/win/application.h"
#include "classlib/win/guard.h"
#include "classlib/win/menus.h"
#include "classlib/win/timer.h"
#include "toolbars/core/menu_keyboard.h"
#include "toolbars/custom_popup_menu.h"
#include "toolbars/menu_engine_state.h"
#include "toolbars/popup_menu_form.h"
#include "toolbars/toolbar_button.h"

namespace tbr::menus {
namespace {

static_assert(vk::Return == VK_RETURN && vk::Shift == VK_SHIFT && vk::Control == VK_CONTROL && vk::Menu == VK_MENU &&
              vk::Escape == VK_ESCAPE && vk::Space == VK_SPACE && vk::Left == VK_LEFT && vk::Up == VK_UP &&
              vk::Right == VK_RIGHT && vk::Down == VK_DOWN && vk::Subtract == VK_SUBTRACT && vk::F1 == VK_F1 &&
              vk::F10 == VK_F10 && vk::OemMinus == VK_OEM_MINUS);

// A shortcut whose handler moves shortcuts between items is looked up again, but never more often than this.
constexpr int kMaxShortCutRepeats = 8;

HHOOK messageHook = nullptr;
HHOOK cbtHook = nullptr;

// The state of the active menu bar and the open menu that the keyboard decisions need.
struct KeyContext {
  MenuKeyInput Input;
  MenuBar* Bar = nullptr;
  cl::TForm* Owner = nullptr;
  TPopupMenuExForm* Form = nullptr;  // the deepest open menu window
};

KeyContext GatherKeyContext(TKeyMessage message, uint16_t key) {
  KeyContext context;
  MenuKeyInput& input = context.Input;
  input.Message = message;
  input.Key = key;
  context.Bar = ActiveMenuBar();
  context.Owner = context.Bar ? context.Bar->OwnerForm() : nullptr;
  HWND active = GetActiveWindow();
  if (cl::TForm* owner = context.Owner; owner && owner->HandleAllocated()) {
    input.HasBar = true;
    input.OwnerActive =
        owner->Handle() == active || (owner->FormStyle() == cl::fsNormal && cl::Application->MainForm() == owner);
    input.OwnerEnabled = IsWindowEnabled(owner->Handle()) && owner->Enabled();
    cl::TForm* child = owner->ActiveMDIChild();
    input.ChildActive = child && child->HandleAllocated() && child->Handle() == active;
    input.KeyboardMode = context.Bar->KeyboardMode();
  }
  input.HotButton = HotButton() != nullptr;
  if (AnyMenuOpen()) {
    context.Form = ActivePopupMenu()->Window()->DeepestMenu();
    input.MenuOpen = true;
  }
  return context;
}

bool ItemCanFire(const cl::TMenuItem* item) {
  for (; item; item = item->Parent()) {
    if (!item->Enabled() || !item->Visible()) return false;
  }
  return true;
}

// Looks the shortcut up in the bar's menu and then in the menus merged into it; the item found fires when it and
// all its parents are enabled and visible. True when a menu has the shortcut, whether or not it fired.
bool DispatchShortCut(MenuBar* bar, cl::TShortCut shortCut) {
  std::vector<cl::TMenu*> menus{bar->MainMenu()};
  for (cl::TMenu* merged : bar->MergedMenus()) menus.push_back(merged);
  for (cl::TMenu* menu : menus) {
    if (!menu) continue;
    cl::TMenuItem* item = menu->FindItem(shortCut, cl::fkShortCut);
    if (!item) continue;
    CloseAllMenus(true);
    cl::Weak<cl::TMenu> alive = menu;
    std::vector<cl::TMenuItem*> fired;
    // A handler may give the shortcut to another item, which then fires as well; each item fires once at most.
    while (item && static_cast<int>(fired.size()) < kMaxShortCutRepeats &&
           std::find(fired.begin(), fired.end(), item) == fired.end()) {
      fired.push_back(item);
      cl::Weak<cl::TMenuItem> current = item;
      if (ItemCanFire(item)) cl::GuardSilent([&] { item->Click(); });
      if (!current || current->ShortCut() == shortCut || !alive) break;
      item = alive->FindItem(shortCut, cl::fkShortCut);
    }
    return true;
  }
  return false;
}

// Opens the submenu of the selected row and selects its first row. The item's handler may take the window away
// (a change of a top-level item rebuilds the bar with its menus).
void OpenSubmenuAtFirstItem(TPopupMenuExForm* form) {
  cl::Weak<TPopupMenuExForm> alive = form;
  form->OpenSubmenu();
  if (!alive) return;
  if (TPopupMenuExForm* submenu = alive->Submenu()) submenu->SelectItem(0);
}

// A key in the deepest open window: the first visible item with it as accelerator runs (a command) or opens (a
// submenu, with its first item selected); a disabled one does nothing; no item beeps.
void RunMenuAccelerator(TPopupMenuExForm* form, uint16_t key) {
  cl::TMenuItem* source = form->SourceItem();
  for (int i = 0; source && i < source->Count(); ++i) {
    cl::TMenuItem* item = source->Items(i);
    if (!item->Visible() || !cl::IsAccel(static_cast<char>(key), item->Caption())) continue;
    if (!item->Enabled()) return;
    if (item->Count() == 0) {
      cl::Weak<cl::TMenuItem> chosen = item;
      CloseAllMenus(true);
      PlayMenuSound(msCommand);
      if (chosen && chosen->OnClick()) chosen->OnClick()(chosen.get());
      return;
    }
    form->SelectItem(form->IndexOfItem(item));
    form->SetChanged(false);
    OpenSubmenuAtFirstItem(form);
    return;
  }
  MessageBeep(0);
}

MenuBarButton* FirstBarButton(MenuBar* bar) {
  cl::TWinControl* control = bar->Control();
  for (int i = 0; i < control->ControlCount(); ++i) {
    MenuBarButton* button = AsBarButton(control->Controls(i));
    if (button && !button->IsMDIButton()) return button;
  }
  return nullptr;
}

// Takes the keyboard highlight off the bar: the highlighted button shows as the mouse left it and is no longer
// the highlighted one, so that the next Alt lights a button up again.
void EndHighlight() {
  if (MenuBarButton* hot = HotButton()) {
    hot->PaintLeft();
    SetHotButton(nullptr);
  }
}

// Esc in an open menu: a submenu closes; the top window closes and its bar button (if any) lights up in
// keyboard mode.
void CloseMenuLevel(TPopupMenuExForm* form, MenuBar* bar) {
  if (TPopupMenuExForm* parent = form->ParentMenu()) {
    parent->CloseSubmenu();
    return;
  }
  CloseAllMenus(true);
  MenuBarButton* last = LastButton();
  if (!last) return;
  SetHotButton(last);
  last->PaintHot();
  if (bar) bar->SetKeyboardMode(true);
  HideMenuCaret();
}

void ShowItemHelp(TPopupMenuExForm* form, MenuBar* bar) {
  cl::TMenuItem* item = form->SelectedItem();
  if (cl::Application->HelpFile().empty() || !item || item->HelpContext() == 0) return;
  const int context = item->HelpContext();
  CloseAllMenus(true);
  const bool popup = bar && bar->OwnerForm() && bar->OwnerForm()->BorderIcons().Contains(cl::biHelp);
  cl::Application->HelpCommand(popup ? HELP_CONTEXTPOPUP : HELP_CONTEXT, context);
  // The help window takes the key's rest: one pending key message goes (a quit met is kept).
  MSG pending;
  if (PeekMessageA(&pending, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) && pending.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(pending.wParam));
  }
}

// Carries a decision out; true when the key is taken.
bool CarryOut(const MenuKeyDecision& decision, const KeyContext& context) {
  MenuEngineState& engine = EngineState();
  MenuBar* bar = context.Bar;
  TPopupMenuExForm* form = context.Form;
  const uint16_t key = context.Input.Key;
  MenuBarButton* hot = HotButton();
  switch (decision.Action) {
    case mkPass:
      return false;
    case mkSwallow:
      return true;
    case mkSystemMenu:
      PostMessageA(GetActiveWindow(), WM_NCLBUTTONDOWN, HTSYSMENU, 0);
      return true;
    case mkChildSystemMenu:
      PostMessageA(context.Owner->ActiveMDIChild()->Handle(), WM_NCLBUTTONDOWN, HTSYSMENU, 0);
      return true;
    case mkEndBarHighlight:
      CloseAllMenus(true);
      if (MenuBarButton* last = LastButton()) {
        last->PaintLeft();
        last->SetButtonDown(false);
      }
      EndHighlight();
      if (context.Owner->CanFocus()) context.Owner->SetFocus();
      ShowMenuCaret();
      bar->SetKeyboardMode(false);
      engine.AltConsumed = true;
      return true;
    case mkStartBarHighlight: {
      MenuBarButton* button = LastButton();
      if (!button) button = FirstBarButton(bar);
      if (!button) return false;
      if (!button->IsHot() && !engine.AltConsumed) {
        SetHotButton(button);
        button->PaintHot();
        bar->SetKeyboardMode(true);
        HideMenuCaret();
      }
      engine.AltConsumed = false;
      return true;
    }
    case mkBarAccelerator: {
      MenuBarButton* found = FindBarButton(bar, key);
      if (!found) return false;
      SetLastButton(found);
      EndHighlight();
      // The item's handler may rebuild the bar, and the button goes with it.
      cl::Weak<cl::TControl> button = found->Control();
      found->Click();
      if (button) found->PaintLeft();
      ShowMenuCaret();
      if (bar) bar->SetKeyboardMode(false);
      engine.AltConsumed = true;
      return true;
    }
    case mkMenuAccelerator:
      RunMenuAccelerator(form, key);
      return true;
    case mkOpenHotButton:
      bar->SetKeyboardMode(false);
      if (TCustomPopupMenuEx* menu = hot->DropdownMenuEx(); menu && menu->Window())
        menu->Window()->PrepareKeyboardOpen();
      hot->Click();
      return true;
    case mkLeaveKeyboardMode:
      ShowMenuCaret();
      bar->SetKeyboardMode(false);
      SetLastButton(hot);
      EndHighlight();
      return true;
    case mkHotButtonPrevious:
    case mkHotButtonNext: {
      SetLastButton(hot);
      hot->PaintLeft();
      MenuBarButton* next = NextBarButton(hot, decision.Action == mkHotButtonNext ? 1 : -1, false);
      SetHotButton(next);
      next->PaintHot();
      return true;
    }
    case mkHotButtonAccelerator:
      if (MenuBarButton* found = FindBarButton(bar, key)) {
        hot->PaintLeft();
        found->Click();
      } else if (key != vk::Shift && key != vk::Control) {
        MessageBeep(0);
      }
      return true;
    case mkActivateItem:
      form->ActivateSelectedItem();
      return true;
    case mkCloseMenu:
      CloseMenuLevel(form, bar);
      return true;
    case mkMenuLeft:
      if (form->ParentMenu()) {
        CloseMenuLevel(form, bar);
      } else if (MenuBarButton* button = ActivePopupMenu()->BarButton()) {
        NextBarButton(button, -1, true);
      } else {
        form->SelectItem(0);
      }
      return true;
    case mkMenuRight:
      if (cl::TMenuItem* item = form->SelectedItem(); item && item->Count() > 0) {
        OpenSubmenuAtFirstItem(form);
      } else if (MenuBarButton* button = form->ParentMenu() ? nullptr : ActivePopupMenu()->BarButton()) {
        NextBarButton(button, 1, true);
      } else {
        form->SelectItem(-1);
      }
      return true;
    case mkSelectPrevious:
    case mkSelectNext:
      form->SelectItem(form->ItemIndex() + (decision.Action == mkSelectNext ? 1 : -1));
      form->SubmenuTimer()->SetEnabled(false);
      return true;
    case mkItemHelp:
      ShowItemHelp(form, bar);
      return true;
  }
  return false;
}

bool HandleKey(const MSG& msg) {
  TKeyMessage message = kmKeyDown;
  switch (msg.message) {
    case WM_KEYDOWN:
      break;
    case WM_KEYUP:
      message = kmKeyUp;
      break;
    case WM_SYSKEYDOWN:
      message = kmSysKeyDown;
      break;
    case WM_SYSKEYUP:
      message = kmSysKeyUp;
      break;
    default:
      return false;
  }
  const KeyContext context = GatherKeyContext(message, static_cast<uint16_t>(msg.wParam));
  const MenuKeyDecision decision = DecideMenuKey(context.Input);
  if (decision.Action != mkSystemMenu && MenuShortcutsApply(context.Input)) {
    const bool alt = msg.lParam & (1 << 29);
    const cl::TShortCut shortCut =
        ComposeShortCut(context.Input.Key, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, alt);
    if (DispatchShortCut(context.Bar, shortCut)) return true;
  }
  if (decision.ClearAltConsumed) EngineState().AltConsumed = false;
  return CarryOut(decision, context);
}

bool IsMousePress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_NCMBUTTONDBLCLK:
      return true;
  }
  return false;
}

bool InsideMenuWindow(cl::TControl* control) {
  for (; control; control = control->Parent()) {
    if (dynamic_cast<TPopupMenuExForm*>(control)) return true;
  }
  return false;
}

// A press outside the open menus closes them; a press anywhere ends a bar's keyboard highlight.
void HandleMousePress(const MSG& msg) {
  if (AnyMenuOpen()) {
    cl::TControl* target = cl::FindDragTarget(cl::Point(msg.pt.x, msg.pt.y), true);
    cl::TComponent* opener = ActivePopupMenu()->PopupComponent();
    // A toolbar button that opened the menu (a bar button or a plain one) handles its own second click.
    if (InsideMenuWindow(target) || (target && target == opener && dynamic_cast<TToolbarButton*>(target))) return;
    CloseAllMenus(true);
    EngineState().AltConsumed = false;
    ShowMenuCaret();
    return;
  }
  MenuBar* bar = ActiveMenuBar();
  if (bar && HotButton()) {
    EndHighlight();
    bar->SetKeyboardMode(false);
    ShowMenuCaret();
  }
}

LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  // Only messages leaving the queue count; a message only peeked at comes again when it is taken.
  if (code == HC_ACTION && wParam == PM_REMOVE && cl::Application && GetActiveWindow() &&
      !IsIconic(GetActiveWindow())) {
    cl::GuardSilent([&] {
      MSG* msg = reinterpret_cast<MSG*>(lParam);
      if (IsMousePress(msg->message)) {
        HandleMousePress(*msg);
      } else if (HandleKey(*msg)) {
        *msg = MSG{};  // taken: nothing else sees it
      }
    });
  }
  // Always passed on: the hooks installed before this one (the toolbars' own) see every message too.
  return CallNextHookEx(messageHook, code, wParam, lParam);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HCBT_MINMAX || code == HCBT_SETFOCUS) {
    cl::GuardSilent([] {
      MenuBar* bar = ActiveMenuBar();
      if (bar && bar->Control()->HandleAllocated()) {
        PostMessageA(bar->Control()->Handle(), WM_MENUBAR_MDICHANGED, 0, 0);
      }
    });
  }
  return CallNextHookEx(cbtHook, code, wParam, lParam);
}

}  // namespace

void InstallMenuMessageHook() {
  EngineState();  // the unit's end removes the hook
  if (!messageHook) messageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageProc, nullptr, GetCurrentThreadId());
}

void InstallMenuCbtHook() {
  EngineState();
  if (!cbtHook) cbtHook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
}

void RemoveMenuHooks() {
  if (messageHook) UnhookWindowsHookEx(messageHook);
  if (cbtHook) UnhookWindowsHookEx(cbtHook);
  messageHook = cbtHook = nullptr;
}

bool debug::MenuMessageHookInstalled() {
  return messageHook != nullptr;
}

bool debug::MenuCbtHookInstalled() {
  return cbtHook != nullptr;
}

}  // namespace tbr::menus
