#include "srvsetup/maps/map_dialogs.h"

#include "srvsetup/app/launcher_state.h"
#include "srvsetup/maps/list_box_catalogue.h"
#include "srvsetup/maps/map_scan.h"
#include "srvsetup/resources/captions.h"
#include "srvsetup/resources/resource.h"

namespace {

int ItemCount(HWND list) {
  return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
}

int Selection(HWND list) {
  return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
}

void Select(HWND list, int index) {
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// An item's text, when there is such an item and its text fits the buffer.
bool ItemText(HWND list, int index, char (&text)[kMapNameSize]) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR || length >= static_cast<LRESULT>(sizeof text)) return false;
  return SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)) != LB_ERR;
}

void Insert(HWND list, int index, const char* text) {
  SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
}

void BuildCatalogue(HWND list) {
  ListBoxCatalogue catalogue(list);
  ScanArchiveMaps(catalogue, g_settings.gameType);
  ScanLooseMaps(catalogue, g_settings.gameType);
}

void TakeSelectedMap(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_MAP_CHOICES);
  char name[kMapNameSize];
  const int selected = Selection(list);
  if (selected != LB_ERR && ItemText(list, selected, name)) CopyTextField(g_settings.startMap, name);
}

void AddSelectedMap(HWND maps, HWND rotation) {
  char name[kMapNameSize];
  const int selected = Selection(maps);
  if (selected != LB_ERR && ItemText(maps, selected, name)) {
    SendMessageA(rotation, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
}

void RemoveSelectedEntry(HWND rotation) {
  const int selected = Selection(rotation);
  if (selected == LB_ERR) return;
  SendMessageA(rotation, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  // On an emptied list this selects nothing.
  Select(rotation, selected > 0 ? selected - 1 : 0);
}

void MoveSelectedEntryUp(HWND rotation) {
  const int selected = Selection(rotation);
  char name[kMapNameSize];
  if (selected == LB_ERR || !ItemText(rotation, selected, name)) return;
  SendMessageA(rotation, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  const int target = selected > 0 ? selected - 1 : 0;
  Insert(rotation, target, name);
  Select(rotation, target);
}

void MoveSelectedEntryDown(HWND rotation) {
  const int selected = Selection(rotation);
  char name[kMapNameSize];
  if (selected == LB_ERR || selected + 1 >= ItemCount(rotation) || !ItemText(rotation, selected, name)) return;
  Insert(rotation, selected + 2, name);
  SendMessageA(rotation, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  Select(rotation, selected + 1);
}

// Joins the rotation list into mapRotation, up to the last name that fits its 256 bytes.
void ApplyRotation(HWND rotation) {
  const int count = ItemCount(rotation);
  if (count <= 0) return;
  CopyTextField(g_settings.mapRotation, "");
  for (int i = 0; i < count; ++i) {
    char name[kMapNameSize];
    if (!ItemText(rotation, i, name) || !AppendRotationEntry(g_settings.mapRotation, name)) break;
  }
}

}  // namespace

INT_PTR CALLBACK SelectMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      ApplyCaptions(dialog, g_instance, kSelectMapCaptions);
      HWND list = GetDlgItem(dialog, IDC_MAP_CHOICES);
      BuildCatalogue(list);
      if (ItemCount(list) > 0) Select(list, 0);
      // The dialog manager does not move the focus.
      return FALSE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_MAP_CHOICES:
          // A double-click takes the map as OK does.
          if (HIWORD(wParam) != LBN_DBLCLK) return FALSE;
          [[fallthrough]];
        case IDOK:
          TakeSelectedMap(dialog);
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK MapRotationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      ApplyCaptions(dialog, g_instance, kMapRotationCaptions);
      // The rotation list starts empty: the rotation held in the record is not read back.
      BuildCatalogue(GetDlgItem(dialog, IDC_MAP_LIST));
      return TRUE;
    case WM_COMMAND: {
      HWND maps = GetDlgItem(dialog, IDC_MAP_LIST);
      HWND rotation = GetDlgItem(dialog, IDC_ROTATION_LIST);
      switch (LOWORD(wParam)) {
        case IDC_MAP_LIST:
          if (HIWORD(wParam) != LBN_DBLCLK) return FALSE;
          AddSelectedMap(maps, rotation);
          return TRUE;
        case IDC_ADD_TO_ROTATION:
          AddSelectedMap(maps, rotation);
          return TRUE;
        case IDC_REMOVE_FROM_ROTATION:
          RemoveSelectedEntry(rotation);
          return TRUE;
        case IDC_MOVE_UP:
          MoveSelectedEntryUp(rotation);
          return TRUE;
        case IDC_MOVE_DOWN:
          MoveSelectedEntryDown(rotation);
          return TRUE;
        case IDC_APPLY:
          ApplyRotation(rotation);
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}
