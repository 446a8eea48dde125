#include "srvsetup/settings/advanced_fields.h"

bool SetDmFlagFromBox(ServerSettings& settings, int controlId, bool checked) {
  for (const DmFlagBox& box : kDmFlagBoxes) {
    if (box.controlId == controlId) {
      if (checked) {
        settings.dmFlags |= box.bit;
      } else {
        settings.dmFlags &= ~box.bit;
      }
      return true;
    }
  }
  return false;
}
