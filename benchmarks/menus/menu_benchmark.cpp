// Times an owner-drawn popup menu of 40 items: opening it (reading and measuring the items, laying them out and
// painting the whole window) and moving its highlight by one item; and, in the same run, the system opening a
// native popup menu of the same 40 items until it is shown and idle. Prints the best of several rounds of each.
// Usage: menu_benchmark (under Wine, with a display).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "benchmarks/support/bench_support.h"
#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "classlib/win/menus.h"
#include "toolbars/custom_popup_menu.h"
#include "toolbars/menu_engine.h"
#include "toolbars/popup_menu_form.h"

namespace {

constexpr int kItems = 40;
constexpr int kRuns = 20;

LARGE_INTEGER idleAt{};

// The system menu's loop sends WM_ENTERIDLE once it is shown and has nothing left to do: the opening is over.
LRESULT CALLBACK IdleCatcher(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_ENTERIDLE && wParam == MSGF_MENU) {
    if (!idleAt.QuadPart) QueryPerformanceCounter(&idleAt);
    EndMenu();
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

double SystemMenuOpening(HWND owner, HMENU menu) {
  LARGE_INTEGER frequency, start;
  QueryPerformanceFrequency(&frequency);
  idleAt.QuadPart = 0;
  QueryPerformanceCounter(&start);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 200, 100, 0, owner, nullptr);
  if (!idleAt.QuadPart) return 1e300;
  return 1000.0 * double(idleAt.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// A plain window that owns the system's menu and hears its WM_ENTERIDLE.
HWND SystemMenuOwner() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = IdleCatcher;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "MenuBenchmarkOwner";
  RegisterClassA(&windowClass);
  HWND owner = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 50, 300, 100, 50, nullptr,
                               nullptr, windowClass.hInstance, nullptr);
  SetForegroundWindow(owner);
  return owner;
}

}  // namespace

int main() {
  cl::Initialize();
  try {
    cl::TForm* form = cl::CreateNew<cl::TForm>(cl::Application);
    form->SetBounds(50, 50, 300, 200);
    form->Show();
    tbr::menus::InitMenuUnit();
    auto* menu = cl::New<tbr::menus::TCustomPopupMenuEx>(form);
    HMENU native = CreatePopupMenu();
    for (int i = 0; i < kItems; ++i) {
      const std::string caption = "&Item number " + std::to_string(i + 1);
      const cl::TShortCut shortCut = i % 5 == 0 ? cl::TShortCut(0x4000 | ('A' + i / 5)) : 0;
      cl::TMenuItem* item = cl::AddMenuItem(menu->Items(), "Item" + std::to_string(i + 1), caption, shortCut);
      item->SetChecked(i % 7 == 3);
      const std::string text = shortCut ? caption + "\t" + cl::ShortCutToText(shortCut) : caption;
      AppendMenuA(native, MF_STRING | (i % 7 == 3 ? MF_CHECKED : 0), 100 + i, text.c_str());
    }
    tbr::menus::TPopupMenuExForm* window = menu->Window();
    auto open = [&] {
      tbr::menus::SetActivePopupMenu(menu);
      window->SetSourceItem(menu->Items());
      window->SetMenuHandle(menu->Items()->Handle());
      window->SetOwnerMenu(menu);
      window->SetBounds(200, 100, 0, 0);
      if (!window->AnimateOpen()) std::exit(1);
    };
    HWND owner = SystemMenuOwner();
    // Each round opens ours, moves its highlight down the whole menu one item at a time, closes it, and opens and
    // ends the system's; closing and message handling between the steps are not timed.
    double bestOpen = 1e300;
    double bestMove = 1e300;
    double bestSystem = 1e300;
    for (int run = 0; run < kRuns; ++run) {
      tbr::menus::CloseAllMenus(false);
      cl::Application->ProcessMessages();
      bestOpen = std::min(bestOpen, bench::Milliseconds(open));
      window->SelectItem(0);
      for (int i = 1; i < kItems; ++i) {
        bestMove = std::min(bestMove, bench::Milliseconds([&] { window->SelectItem(i); }));
      }
      tbr::menus::CloseAllMenus(false);
      cl::Application->ProcessMessages();
      bestSystem = std::min(bestSystem, SystemMenuOpening(owner, native));
    }
    std::printf("popup menu of %d items, best of %d rounds\n", kItems, kRuns);
    std::printf("owner-drawn menu, opening (layout and first paint): %7.2f ms\n", bestOpen);
    std::printf("owner-drawn menu, highlight moved by one item:       %7.2f ms\n", bestMove);
    std::printf("system menu, opening until shown and idle:           %7.2f ms\n", bestSystem);
    std::printf("owner-drawn opening / system opening:                %7.2f\n", bestOpen / bestSystem);
    DestroyMenu(native);
    DestroyWindow(owner);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
