// Building the map catalogue for a game type from the two game-data folders below the current
// directory, main (the base game) and mainex (the expansion): first the maps inside their ".pk3"
// archives, then the loose ".bsp" files. Failures are silent: an unreadable archive, a missing
// folder or a current directory too long for a 260-character path gives a shorter catalogue.
#pragma once

#include <cstdint>

#include "srvsetup/maps/map_catalogue.h"

// Clears the catalogue, then scans every archive of main, then every archive of mainex, in the
// order the directory enumeration yields them. A game type outside 0 to 4 leaves it empty.
void ScanArchiveMaps(MapCatalogue& catalogue, std::int32_t gameType);

// Appends the maps of one archive that the game type admits, in central-directory order, each
// name that the catalogue does not yet hold. Reads the central directory only.
//   deathmatch-style types (0 to 2): entries containing "maps/DM/" and ".bsp", then (tested on
//     their own) "maps/obj/", "TOW" and ".bsp";
//   Objective (3): "maps/obj/" and ".bsp" without "TOW";   TugOfWar (4): "maps/obj/", "TOW", ".bsp".
// The map name is the entry's text after its first '/' without its last four characters
// ("maps/DM/harbour.bsp" gives "DM/harbour"). Entries of 256 bytes or more, and entries whose
// text after the first '/' is shorter than four characters, are skipped.
void ScanArchive(const char* archivePath, MapCatalogue& catalogue, std::int32_t gameType);

// Appends the loose map files of mainex, then of main, that the game type admits, each under a
// lower-case family prefix ("dm/harbour" for maps\dm\harbour.bsp); never clears.
//   deathmatch-style types: maps\dm\*.bsp as "dm/";
//   Objective: maps\obj\*.bsp as "obj/", files with "_tow" in their name skipped in mainex only;
//   TugOfWar: maps\obj\*_tow.bsp as "obj/".
// Patterns match without regard to case, the "_tow" test is case-sensitive. Folders that match
// a pattern and files whose map name would exceed 255 characters are passed over.
void ScanLooseMaps(MapCatalogue& catalogue, std::int32_t gameType);
