#include "dialog_driver.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>

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

// An 8-bit RGB PNG from 32-bit top-down BGRX rows.
std::string EncodePng(int width, int height, const std::uint8_t* bgrx) {
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back('\0');  // no filter
    for (const std::uint8_t* pixel = bgrx + std::size_t(y) * width * 4; pixel != bgrx + std::size_t(y + 1) * width * 4;
         pixel += 4) {
      raw += {static_cast<char>(pixel[2]), static_cast<char>(pixel[1]), static_cast<char>(pixel[0])};
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
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  std::string png = "\x89PNG\r\n\x1a\n";
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", packed);
  AppendChunk(png, "IEND", {});
  return png;
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

std::string SaveScreenshot(HWND window, const std::string& name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // The window's thread paints; a round trip through it makes sure the painting is done.
  SendMessageA(window, WM_NULL, 0, 0);
  GdiFlush();
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return {};

  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top-down rows
  void* pixels = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  std::string png;
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    GdiFlush();
    png = EncodePng(width, height, static_cast<const std::uint8_t*>(pixels));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  CreateDirectoryA(SCREENSHOT_DIR, nullptr);
  const std::string path = std::string(SCREENSHOT_DIR) + "/" + name + ".png";
  std::FILE* file = png.empty() ? nullptr : std::fopen(path.c_str(), "wb");
  if (file == nullptr) return {};
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written ? path : std::string();
}
