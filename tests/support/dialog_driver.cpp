#include "dialog_driver.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>

namespace {

constexpr char kDialogClass[] = "#32770";

// Polls until the condition holds or the time is up; GUI state changes on another thread.
template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(10);
  }
}

struct DialogSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
  DialogSearch& search = *reinterpret_cast<DialogSearch*>(context);
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, kDialogClass) != 0 || !IsWindowVisible(window)) return TRUE;
  if (search.owner != nullptr && GetWindow(window, GW_OWNER) != search.owner) return TRUE;
  search.found = window;
  return FALSE;
}

struct TextSearch {
  const std::string* text;
  bool found;
};

BOOL CALLBACK MatchText(HWND child, LPARAM context) {
  TextSearch& search = *reinterpret_cast<TextSearch*>(context);
  if (WindowText(child) != *search.text) return TRUE;
  search.found = true;
  return FALSE;
}

POINT ItemCentre(HWND list, int index) {
  RECT item = {};
  SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

void SendMouse(HWND window, UINT message, WPARAM keys, POINT at) {
  SendMessageA(window, message, keys, MAKELPARAM(at.x, at.y));
}

void AppendChunk(std::string& png, const char* type, const std::string& data) {
  auto bigEndian = [&png](std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<char>((value >> shift) & 0xFF));
  };
  bigEndian(static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  png += body;
  bigEndian(static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

// An 8-bit RGB PNG from 32-bit top-down BGRX rows.
std::string EncodePng(int width, int height, const std::uint8_t* bgrx) {
  std::string raw;
  raw.reserve(static_cast<std::size_t>(height) * (1 + width * 3));
  for (int y = 0; y < height; ++y) {
    raw.push_back('\0');
    const std::uint8_t* row = bgrx + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      raw.push_back(static_cast<char>(row[x * 4 + 2]));
      raw.push_back(static_cast<char>(row[x * 4 + 1]));
      raw.push_back(static_cast<char>(row[x * 4 + 0]));
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
  for (std::uint32_t value : {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)}) {
    for (int shift = 24; shift >= 0; shift -= 8) header.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
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
  if (WaitForSingleObject(ended_, milliseconds) != WAIT_OBJECT_0) return -1;
  return result_;
}

HWND WaitForDialog(DWORD threadId, HWND owner, DWORD milliseconds) {
  DialogSearch search{owner, nullptr};
  WaitFor(
      [&] {
        EnumThreadWindows(threadId, MatchDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      milliseconds);
  return search.found;
}

bool WaitUntilDestroyed(HWND window, DWORD milliseconds) {
  return WaitFor([window] { return !IsWindow(window); }, milliseconds);
}

std::string WindowText(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT got = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<std::size_t>(got));
  return text;
}

std::string ControlText(HWND dialog, int id) {
  return WindowText(GetDlgItem(dialog, id));
}

bool HasControlWithText(HWND window, const std::string& text) {
  TextSearch search{&text, false};
  EnumChildWindows(window, MatchText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Click(HWND dialog, int id) {
  SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PostClick(HWND dialog, int id) {
  PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void TypeText(HWND dialog, int id, const std::string& text) {
  HWND edit = GetDlgItem(dialog, id);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  if (text.empty()) {
    SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    return;
  }
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

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    items.push_back(text);
  }
  return items;
}

int ListSelection(HWND list) {
  return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
}

void ClickListItem(HWND list, int index) {
  const POINT at = ItemCentre(list, index);
  SendMouse(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMouse(list, WM_LBUTTONUP, 0, at);
}

void DoubleClickListItem(HWND list, int index) {
  const POINT at = ItemCentre(list, index);
  SendMouse(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMouse(list, WM_LBUTTONUP, 0, at);
  SendMouse(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMouse(list, WM_LBUTTONUP, 0, at);
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
  std::vector<std::string> items;
  const LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    items.push_back(text);
  }
  return items;
}

int ComboSelection(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

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
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  std::string path;
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    GdiFlush();
    const std::string png = EncodePng(width, height, static_cast<const std::uint8_t*>(pixels));
    SelectObject(memory, previous);
    DeleteObject(bitmap);

    CreateDirectoryA(SCREENSHOT_DIR, nullptr);
    const std::string candidate = std::string(SCREENSHOT_DIR) + "/" + name + ".png";
    if (!png.empty()) {
      if (std::FILE* file = std::fopen(candidate.c_str(), "wb")) {
        if (std::fwrite(png.data(), 1, png.size(), file) == png.size()) path = candidate;
        std::fclose(file);
      }
    }
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return path;
}
