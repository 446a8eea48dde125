#include "srvsetup/maps/list_box_catalogue.h"

namespace {

// Every ANSI code page of Windows maps the bytes below 0x80 to themselves, so such a text
// comes back from the list unchanged.
bool IsAscii(const char* text) {
  for (; *text != '\0'; ++text) {
    if (static_cast<unsigned char>(*text) >= 0x80) return false;
  }
  return true;
}

}  // namespace

ListBoxCatalogue::ListBoxCatalogue(HWND listBox) : listBox_(listBox) { Reindex(); }

void ListBoxCatalogue::Clear() {
  SendMessageA(listBox_, LB_RESETCONTENT, 0, 0);
  index_.Clear();
  indexedCount_ = 0;
}

bool ListBoxCatalogue::Contains(const char* name) {
  if (SendMessageA(listBox_, LB_GETCOUNT, 0, 0) != indexedCount_) Reindex();
  return index_.Contains(name);
}

void ListBoxCatalogue::Append(const char* name) {
  if (SendMessageA(listBox_, LB_GETCOUNT, 0, 0) != indexedCount_) Reindex();
  const LRESULT index = SendMessageA(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  if (index < 0) return;  // LB_ERR or LB_ERRSPACE: nothing was added
  // Other bytes may not survive the list's round trip through its code page: index what it holds.
  if (IsAscii(name)) {
    index_.Insert(name);
  } else if (ReadItem(index, item_)) {
    index_.Insert(item_);
  }
  ++indexedCount_;
}

void ListBoxCatalogue::BeginUpdate() { SendMessageA(listBox_, WM_SETREDRAW, FALSE, 0); }

void ListBoxCatalogue::EndUpdate() {
  SendMessageA(listBox_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(listBox_, nullptr, TRUE);
}

void ListBoxCatalogue::Reindex() {
  index_.Clear();
  indexedCount_ = 0;
  const LRESULT count = SendMessageA(listBox_, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (ReadItem(i, item_)) index_.Insert(item_);
  }
  indexedCount_ = count < 0 ? 0 : count;
}

// Sized by LB_GETTEXTLEN, so an item of any length is read whole.
bool ListBoxCatalogue::ReadItem(LRESULT index, std::string& text) const {
  const LRESULT length = SendMessageA(listBox_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return false;
  text.assign(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(listBox_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  if (copied < 0) return false;
  text.resize(static_cast<std::size_t>(copied));
  return true;
}
