// Putting the string table's French texts onto the dialogs.
#pragma once

#include <windows.h>

#include <cstddef>

// Texts of the string table are loaded into buffers of this many characters.
constexpr std::size_t kCaptionSize = 256;

// Loads a string of the table; a missing entry gives the empty text.
template <std::size_t N>
void LoadText(HINSTANCE instance, UINT stringId, char (&text)[N]) {
  text[0] = '\0';
  LoadStringA(instance, stringId, text, static_cast<int>(N));
}

// One step of a caption pass: a control, or the window's title, takes a string of the table.
struct CaptionAssignment {
  int controlId;  // kWindowTitle for the title
  UINT stringId;
};
constexpr int kWindowTitle = 0;  // no template has a control 0

struct CaptionPass {
  const CaptionAssignment* steps;
  std::size_t count;
};

// The assignments of each dialog, in the order they are made.
extern const CaptionPass kMainDialogCaptions;
extern const CaptionPass kAdvancedDialogCaptions;
extern const CaptionPass kSelectMapCaptions;
extern const CaptionPass kMapRotationCaptions;
extern const CaptionPass kAboutCaptions;

// Runs a pass over a window; a control that the window does not hold is passed over.
void ApplyCaptions(HWND window, HINSTANCE instance, const CaptionPass& pass);

void ApplyMainDialogCaptions(HWND dialog, HINSTANCE instance);
void ApplyAdvancedDialogCaptions(HWND dialog, HINSTANCE instance);
