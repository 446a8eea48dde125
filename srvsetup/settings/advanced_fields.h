// What the Advanced dialog's controls do to a record, apart from any window: which field each
// control edits, how the field is shown, and how a control's text or click goes back into it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "srvsetup/settings/option_box.h"
#include "srvsetup/settings/server_settings.h"

// The thirteen edits, in the order the dialog fills them.
constexpr std::size_t kAdvancedEditCount = 13;
extern const int kAdvancedEdits[kAdvancedEditCount];

// The six option boxes: a click inverts the flag.
constexpr std::size_t kAdvancedOptionCount = 6;
extern const OptionBox kAdvancedOptionBoxes[kAdvancedOptionCount];

// The five DM Flags boxes: each owns one bit of dmFlags; no box touches the other bits.
struct DmFlagBox {
  int controlId;
  std::uint32_t bit;
};
constexpr std::size_t kDmFlagBoxCount = 5;
extern const DmFlagBox kDmFlagBoxes[kDmFlagBoxCount];

bool IsAdvancedEdit(int controlId);

// The text an edit shows: signed decimal, gravity as "%.2f", password and keywords as they are.
// False, with text empty, for a control that is not one of the edits.
bool FormatAdvancedEdit(const ServerSettings& settings, int controlId, char (&text)[kTextFieldSize]);

// Stores an edit's text into its field: numbers read like strtol, gravity like strtod and
// narrowed to single precision, texts cut to 255 characters. False, nothing changed, for any
// other control.
bool ReadAdvancedEdit(ServerSettings& settings, int controlId, const char* text);

// Inverts the flag of an option box (any non-zero byte counts as set); false for any other control.
bool ToggleAdvancedOption(ServerSettings& settings, int controlId);

// Sets or clears the bit of a DM Flags box; false for any other control.
bool SetDmFlagFromBox(ServerSettings& settings, int controlId, bool checked);
