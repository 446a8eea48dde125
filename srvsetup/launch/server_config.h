// The console script "server.cfg" that the dedicated server executes at start-up.
#pragma once

#include <string>

#include "srvsetup/settings/server_settings.h"

// The whole script for a record, with bare LF line breaks, as the launcher formats it.
std::string FormatServerConfig(const ServerSettings& settings);

// Writes the script to mainex/server.cfg below the current directory, with the bytes a Windows
// text-mode write gives (every LF written as CR LF, so CR LF inside additionalSettings becomes
// CR CR LF) on every platform, whole through a temporary file beside it. False when the script
// cannot be written whole (no mainex, a full disk, a locked or read-only server.cfg, a current
// directory too long for the path); then the old server.cfg is left as it was, or absent, and
// nothing else remains.
bool WriteServerConfig(const ServerSettings& settings);
