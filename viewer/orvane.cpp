// Orvane, the image viewer and editor: start-up. The frame form comes with the class library's forms; until
// then the program shows its MDI frame window with the frame's caption.
#include <windows.h>

namespace {

constexpr char kFrameWindowClass[] = "TFrameForm";
HWND mdiClient = nullptr;

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_CREATE: {
      CLIENTCREATESTRUCT clientCreate{};
      clientCreate.idFirstChild = 0xFF00;
      mdiClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE,
                                  0, 0, 0, 0, window, nullptr, GetModuleHandleA(nullptr), &clientCreate);
      return mdiClient ? 0 : -1;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefFrameProcA(window, mdiClient, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FrameWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "MAINICON");
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  windowClass.lpszClassName = kFrameWindowClass;
  if (!RegisterClassA(&windowClass)) return 1;
  HWND frame = CreateWindowExA(WS_EX_APPWINDOW, kFrameWindowClass, "Orlanto", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               instance, nullptr);
  if (!frame) return 1;
  ShowWindow(frame, show);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!TranslateMDISysAccel(mdiClient, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return static_cast<int>(message.wParam);
}
