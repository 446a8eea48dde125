#include <cstring>

#include "srvsetup/launch/game_paths.h"
#include "srvsetup/maps/file_search.h"
#include "srvsetup/maps/map_scan.h"
#include "srvsetup/settings/server_settings.h"

namespace {

// One directory search: the folder below the current directory, the file pattern, the prefix of
// the map names, and whether files with "_tow" in their name are passed over.
struct LooseSearch {
  const char* gameFolder;
  const char* familyFolder;
  const char* filePattern;
  const char* prefix;
  bool skipTugOfWar;
};

constexpr LooseSearch kDeathmatchSearches[] = {
    {"mainex", "dm", "*.bsp", "dm/", false},
    {"main", "dm", "*.bsp", "dm/", false},
};
constexpr LooseSearch kObjectiveSearches[] = {
    {"mainex", "obj", "*.bsp", "obj/", true},
    {"main", "obj", "*.bsp", "obj/", false},
};
constexpr LooseSearch kTugOfWarSearches[] = {
    {"mainex", "obj", "*_tow.bsp", "obj/", false},
    {"main", "obj", "*_tow.bsp", "obj/", false},
};

const LooseSearch* SearchesFor(std::int32_t gameType) {
  switch (gameType) {
    case FreeForAll:
    case TeamBased:
    case RoundBased:
      return kDeathmatchSearches;
    case Objective:
      return kObjectiveSearches;
    case TugOfWar:
      return kTugOfWarSearches;
    default:
      return nullptr;
  }
}

void RunSearch(const LooseSearch& loose, MapCatalogue& catalogue) {
  char pattern[kPathSize];
  if (!JoinCurrentDirectory(pattern, {loose.gameFolder, "maps", loose.familyFolder, loose.filePattern})) return;
  const std::size_t prefixLength = std::strlen(loose.prefix);
  for (FileSearch search(pattern); search.Next();) {
    if (search.IsDirectory()) continue;
    const char* file = search.Name();
    if (loose.skipTugOfWar && std::strstr(file, "_tow") != nullptr) continue;
    const std::size_t fileLength = std::strlen(file);
    if (fileLength < 4) continue;
    const std::size_t stemLength = fileLength - 4;  // without ".bsp"
    if (prefixLength + stemLength >= kMapNameSize) continue;
    char name[kMapNameSize];
    std::memcpy(name, loose.prefix, prefixLength);
    std::memcpy(name + prefixLength, file, stemLength);
    name[prefixLength + stemLength] = '\0';
    if (!ListContains(catalogue, name)) catalogue.Append(name);
  }
}

}  // namespace

void ScanLooseMaps(MapCatalogue& catalogue, std::int32_t gameType) {
  const LooseSearch* searches = SearchesFor(gameType);
  if (searches == nullptr) return;
  CatalogueUpdate update(catalogue);
  RunSearch(searches[0], catalogue);
  RunSearch(searches[1], catalogue);
}
