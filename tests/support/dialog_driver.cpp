#include "dialog_driver.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <utility>

namespace {

// Polls until the condition holds or the time is up; GUI state changes on another thread.
template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(10);
  }
  return true;
}

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<std::pair<HWND, HWND>*>(context);
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  if (search.first != nullptr && GetWindow(window, GW_OWNER) != search.first) return TRUE;
  search.second = window;
  return FALSE;
}

POINT ItemCentre(HWND list, int index) {
  RECT item = {};
  SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

void SendMouse(HWND list, int index, std::initializer_list<UINT> messages) {
  const POINT at = ItemCentre(list, index);
  for (UINT message : messages) {
    SendMessageA(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(at.x, at.y));
  }
}

// The items of a list box or a combo box's list, through that control's messages.
std::vector<std::string> Items(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(control, countMessage, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string text(static_cast<std::size_t>(SendMessageA(control, lengthMessage, static_cast<WPARAM>(i), 0)) + 1, '\0');
    SendMessageA(control, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
    text.pop_back();
    items.push_back(text);
  }
  return items;
}

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void AppendChunk(std::string& png, const char* type, const std::string& data) {
  const std::string body = std::string(type, 4) + data;
  AppendBigEndian(png, static_cast<std::uint32_t>(data.size()));
  png += body;
  AppendBigEndian(png, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                        static_cast<uInt>(body.size()))));
}

// An 8-bit RGB PNG of the picture, every row unfiltered.
std::string EncodePng(const Picture& picture) {
  std::string raw;
  for (int y = 0; y < picture.height; ++y) {
    raw.push_back('\0');
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t pixel = picture.pixels[std::size_t(y) * picture.width + x];
      raw += {static_cast<char>(pixel >> 16), static_cast<char>(pixel >> 8), static_cast<char>(pixel)};
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(&packed[0]), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), 9) != Z_OK) {
    return {};
  }
  packed.resize(packedSize);
  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(picture.width));
  AppendBigEndian(header, static_cast<std::uint32_t>(picture.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  std::string png = "\x89PNG\r\n\x1a\n";
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", packed);
  AppendChunk(png, "IEND", {});
  return png;
}

// The screen's pixels under the rectangle; an empty picture when the copy fails.
Picture CopyFromScreen(const RECT& bounds) {
  Picture picture{bounds.right - bounds.left, bounds.bottom - bounds.top, {}};
  if (picture.width <= 0 || picture.height <= 0) return {};
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top-down
  void* pixels = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, picture.width, picture.height, screen, bounds.left, bounds.top, SRCCOPY)) {
      GdiFlush();
      const auto* first = static_cast<const std::uint32_t*>(pixels);
      // The fourth byte of each pixel is not defined.
      for (const auto* pixel = first; pixel != first + std::size_t(picture.width) * picture.height; ++pixel) {
        picture.pixels.push_back(*pixel & 0xFFFFFF);
      }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture.pixels.empty() ? Picture{} : picture;
}

// Whether the window is the foreground one and no visible window lies over any part of it, so
// that the screen there shows this window alone.
bool OnTop(HWND window) {
  if (GetForegroundWindow() != window) return false;
  RECT own = {};
  GetWindowRect(window, &own);
  for (HWND above = GetWindow(window, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
    RECT other = {};
    RECT overlap = {};
    if (IsWindowVisible(above) && GetWindowRect(above, &other) && IntersectRect(&overlap, &own, &other)) return false;
  }
  return true;
}

}  // namespace

ModalDialog::ModalDialog(int templateId, DLGPROC procedure, HWND owner)
    : ended_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  HANDLE started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, templateId, procedure, owner, started] {
    threadId_ = GetCurrentThreadId();
    SetEvent(started);
    result_ = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, procedure, 0);
    SetEvent(ended_);
  });
  WaitForSingleObject(started, INFINITE);
  CloseHandle(started);
  // The dialog manager shows the window once WM_INITDIALOG has returned.
  window_ = WaitForDialog(threadId_, owner);
}

ModalDialog::~ModalDialog() {
  // A test that stopped half-way leaves the dialog open: cancel it, as Escape would.
  while (WaitForSingleObject(ended_, 0) != WAIT_OBJECT_0) {
    HWND open = window_ != nullptr ? window_ : WaitForDialog(threadId_, nullptr, 1000);
    if (open != nullptr) PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
    WaitForSingleObject(ended_, 1000);
  }
  thread_.join();
  CloseHandle(ended_);
}

INT_PTR ModalDialog::Result(DWORD milliseconds) {
  return WaitForSingleObject(ended_, milliseconds) == WAIT_OBJECT_0 ? result_ : -1;
}

HWND WaitForDialog(DWORD threadId, HWND owner, DWORD milliseconds) {
  std::pair<HWND, HWND> search{owner, nullptr};  // the owner wanted, the dialog found
  WaitFor([&] { return EnumThreadWindows(threadId, MatchDialog, reinterpret_cast<LPARAM>(&search)), search.second; },
          milliseconds);
  return search.second;
}

bool WaitUntilDestroyed(HWND window, DWORD milliseconds) {
  return WaitFor([window] { return !IsWindow(window); }, milliseconds);
}

bool StillDispatches(HWND button, DWORD milliseconds) {
  if (button == nullptr) return false;  // a null window would post to this thread
  for (bool pushed : {true, false}) {
    if (!PostMessageA(button, BM_SETSTATE, pushed, 0)) return false;
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
      DWORD_PTR state = 0;
      // Fails at once when the button's thread is gone.
      if (SendMessageTimeoutA(button, BM_GETSTATE, 0, 0, SMTO_NORMAL, milliseconds, &state) == 0) return false;
      if (((state & BST_PUSHED) != 0) == pushed) break;
      if (GetTickCount64() >= deadline) return false;
      Sleep(10);
    }
  }
  return true;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  text.resize(static_cast<std::size_t>(SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
  return text;
}

std::string ControlText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

bool HasControlWithText(HWND window, const std::string& text) {
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (WindowText(child) == text) return true;
  }
  return false;
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PostClick(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void TypeText(HWND dialog, int id, const std::string& text) {
  HWND edit = GetDlgItem(dialog, id);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  if (text.empty()) SendMessageA(edit, WM_CHAR, VK_BACK, 1);
  for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void PostKey(HWND window, UINT virtualKey) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(window, WM_KEYDOWN, virtualKey, scan | 1);
  PostMessageA(window, WM_KEYUP, virtualKey, scan | 1 | (1 << 30) | (1u << 31));
}

bool IsChecked(HWND dialog, int id) {
  return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::string> ListItems(HWND list) { return Items(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }

int ListSelection(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

void ClickListItem(HWND list, int index) { SendMouse(list, index, {WM_LBUTTONDOWN, WM_LBUTTONUP}); }

void DoubleClickListItem(HWND list, int index) {
  SendMouse(list, index, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
  return Items(GetDlgItem(dialog, id), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int ComboSelection(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }

void ChooseComboItem(HWND dialog, int id, int index) {
  HWND combo = GetDlgItem(dialog, id);
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

Picture TakeScreenshot(HWND window) {
  // Only the screen holds the whole window: Wine's PrintWindow draws the client's background
  // alone, and nothing for another process's window. The window's thread paints into memory and
  // hands that to the X server when it next waits for messages, so the window's own paint being
  // done is not enough: the picture is the screen under it once the window is on top with its
  // paint done, and the screen shows the same twice in a row, a round trip through its thread apart.
  if (!WaitFor([window] { return OnTop(window); }, 5000)) return {};
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Picture shown;
  Picture before;
  const bool settled = WaitFor(
      [&] {
        DWORD_PTR ignored = 0;
        if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored) == 0) return false;
        RECT bounds = {};
        GetWindowRect(window, &bounds);
        before = std::move(shown);
        shown = CopyFromScreen(bounds);
        return !shown.pixels.empty() && shown.width == before.width && shown.height == before.height &&
               shown.pixels == before.pixels && OnTop(window);
      },
      5000);
  return settled ? shown : Picture{};
}

bool WritePng(const Picture& picture, const std::string& path) {
  const std::string png = picture.pixels.empty() ? std::string() : EncodePng(picture);
  std::FILE* file = png.empty() ? nullptr : std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

std::string SaveScreenshot(HWND window, const std::string& name) {
  CreateDirectoryA(SCREENSHOT_DIR, nullptr);
  const std::string path = std::string(SCREENSHOT_DIR) + "/" + name + ".png";
  return WritePng(TakeScreenshot(window), path) ? path : std::string();
}
