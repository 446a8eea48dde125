// A check box that holds one flag of the record; a click inverts the flag.
#pragma once

#include <cstddef>
#include <cstdint>

#include "srvsetup/settings/server_settings.h"

struct OptionBox {
  int controlId;
  std::uint8_t ServerSettings::*flag;
};

// Inverts the flag of the box with this control; false when no box of the table has it.
template <std::size_t Count>
bool ToggleOptionBox(ServerSettings& settings, const OptionBox (&boxes)[Count], int controlId) {
  for (const OptionBox& box : boxes) {
    if (box.controlId == controlId) {
      std::uint8_t& flag = settings.*box.flag;
      flag = flag != 0 ? 0 : 1;
      return true;
    }
  }
  return false;
}
