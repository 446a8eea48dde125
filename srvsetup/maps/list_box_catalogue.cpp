#include "list_box_catalogue.h"

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
  // The list may store other bytes than it was given (code-page round trip): index what it holds.
  if (ReadItem(index, item_)) index_.Insert(item_);
  ++indexedCount_;
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
