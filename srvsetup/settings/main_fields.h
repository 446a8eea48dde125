// What the main dialog's controls do to a record, apart from any window: which field each edit
// and check box holds, how the two lists map to their fields, and which controls the game type
// enables.
#pragma once

#include <cstddef>
#include <cstdint>

#include "srvsetup/settings/option_box.h"
#include "srvsetup/settings/server_settings.h"

// The edits, in the order "Run Server" reads them into the record, the starting map first.
constexpr std::size_t kMainEditCount = 12;
extern const int kMainEdits[kMainEditCount];

// The four option boxes that a click inverts at once; Use Gamespy is read on "Run Server" only.
constexpr std::size_t kMainOptionCount = 4;
extern const OptionBox kMainOptionBoxes[kMainOptionCount];

// The text an edit shows: numbers as signed decimals, texts as they are. False, with text empty,
// for a control that is not one of the edits.
bool FormatMainEdit(const ServerSettings& settings, int controlId, char (&text)[kTextFieldSize]);

// Stores an edit's text into its field: numbers read like strtol, texts cut to 255 characters.
// False, nothing changed, for any other control.
bool ReadMainEdit(ServerSettings& settings, int controlId, const char* text);

// Inverts an option box's flag (any non-zero byte counts as set); false for any other control.
bool ToggleMainOption(ServerSettings& settings, int controlId);

// Heal-rate list: positions 0 to 3 stand for 0, 5, 10 and 20 per second.
constexpr int kHealRatePositions = 4;
// The position that shows a rate; -1 for a rate the list does not offer.
int HealRatePosition(std::int32_t healRate);
// Takes a list position into the record; false, healRate unchanged, for any other position
// (-1 when the list has no selection).
bool SetHealRateFromPosition(ServerSettings& settings, int position);

// Game-type list: position = GameType value.
constexpr int kGameTypePositions = 5;
// The position to select for a stored game type; -1 (no selection) outside 0 to 4.
int GameTypePosition(std::int32_t gameType);

// Which game-type dependent controls are enabled: Team Damage, Map Rotation Time and Team Spawn
// Delay together, Round Reset Time on its own.
struct GameTypeEnabling {
  bool teamControls;
  bool roundReset;
};
// The rule at initialisation, from the stored value: only exactly FreeForAll disables.
GameTypeEnabling EnablingForStoredGameType(std::int32_t gameType);
// The rule after a change of the list, from its selection: 0 or less (no selection too) disables.
GameTypeEnabling EnablingForSelection(int position);
