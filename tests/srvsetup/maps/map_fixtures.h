// Fixtures of the map tests: a game installation below the current directory, the catalogue
// both scans build from it, and a catalogue's Contains checked against reading every item.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "srvsetup/launch/game_paths.h"
#include "srvsetup/maps/map_catalogue.h"
#include "srvsetup/maps/map_scan.h"
#include "srvsetup/settings/server_settings.h"
#include "support/game_folder.h"
#include "support/zip_archive.h"

using Names = std::vector<std::string>;

// Paths are relative to the current directory, which a test may move below the game folder.
inline void Archive(const std::string& relative, const Names& entries) {
  WriteZipArchive(std::filesystem::current_path() / relative, entries);
}

inline void LooseFile(const std::string& relative) {
  const std::filesystem::path file = std::filesystem::current_path() / relative;
  std::filesystem::create_directories(file.parent_path());
  if (!(std::ofstream(file, std::ios::binary) << "bsp")) throw std::runtime_error("cannot create " + file.string());
}

// The catalogue a map dialog would show: the archive pass, then the loose-file pass.
inline Names Catalogue(std::int32_t gameType) {
  OrderedCatalogue catalogue;
  ScanArchiveMaps(catalogue, gameType);
  ScanLooseMaps(catalogue, gameType);
  return catalogue.Items();
}

// Moves the current directory into a new folder below it whose path, as the launcher reads it,
// has exactly the given length. False when the folder cannot be made or entered.
inline bool EnterFolderOfPathLength(std::size_t length) {
  char current[kPathSize];
  if (!GetCurrentDirectoryPath(current) || length <= std::strlen(current) + 1) return false;
  std::filesystem::path folder = std::filesystem::current_path();
  for (std::size_t remaining = length - std::strlen(current) - 1; remaining > 0;) {
    std::size_t part = std::min<std::size_t>(remaining, 200);  // below any file system's name limit
    if (remaining - part == 1) --part;  // room for a separator and a name of one character
    folder /= std::string(part, 'p');
    remaining -= part;
    if (remaining > 0) --remaining;  // the separator before the next part
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!error) std::filesystem::current_path(folder, error);
  return !error;
}

// Random appends (repeats among them), clears and, when given, additions by other hands, with
// ListContains checked at each step against comparing the name with every item read back.
inline void ExpectContainsLikeTheLinearComparison(MapCatalogue& catalogue, const std::function<Names()>& items,
                                                  const std::function<void(const char*)>& addByOtherHands = {}) {
  const char* const names[] = {"DM/a", "dm/a", "DM/A", "DM/ab", "DM/", "", "obj/c_TOW", "obj/c_tow", "\xE9t\xE9",
                               "\x81x"};
  std::mt19937 random(4);
  for (int step = 0; step < 1000; ++step) {
    const char* name = names[random() % std::size(names)];
    const Names now = items();
    const bool linear = std::find(now.begin(), now.end(), name) != now.end();
    ASSERT_EQ(ListContains(catalogue, name), linear) << step << " " << name;
    const unsigned action = random() % 25;
    if (action == 0) {
      catalogue.Clear();
    } else if (action == 1 && addByOtherHands) {
      addByOtherHands(name);
    } else if (action == 2 || !linear) {
      catalogue.Append(name);  // sometimes a repeat, which the scans never append
    }
  }
}
