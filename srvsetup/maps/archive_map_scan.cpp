#include <unzip.h>

#include <cstring>

#include "srvsetup/launch/game_paths.h"
#include "srvsetup/maps/file_search.h"
#include "srvsetup/maps/map_scan.h"
#include "srvsetup/settings/server_settings.h"

namespace {

constexpr uLong kEntryNameSize = 256;

bool Has(const char* text, const char* part) { return std::strstr(text, part) != nullptr; }

bool IsDeathmatchEntry(const char* entry) { return Has(entry, "maps/DM/") && Has(entry, ".bsp"); }

bool IsObjectiveEntry(const char* entry) {
  return Has(entry, "maps/obj/") && Has(entry, ".bsp") && !Has(entry, "TOW");
}

bool IsTugOfWarEntry(const char* entry) {
  return Has(entry, "maps/obj/") && Has(entry, "TOW") && Has(entry, ".bsp");
}

// A name that the script would carry between double quotes on one line: no quote, no control
// character. Anything else could end the quoted value or the line and smuggle a console command
// of the archive's own into "server.cfg".
bool IsScriptSafe(const char* entry) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(entry); *p != 0; ++p) {
    if (*p == '"' || *p < 0x20 || *p == 0x7F) return false;
  }
  return true;
}

bool AdmitsArchiveMaps(std::int32_t gameType) { return gameType >= FreeForAll && gameType <= TugOfWar; }

// The text after the entry's first '/', without its last four characters.
void AddEntryMap(const char* entry, MapCatalogue& catalogue) {
  const char* slash = std::strchr(entry, '/');
  if (slash == nullptr) return;
  const char* rest = slash + 1;
  const std::size_t length = std::strlen(rest);
  if (length < 4) return;  // ".bsp" stood before the first '/': no name to form
  char name[kMapNameSize];
  std::memcpy(name, rest, length - 4);  // entries are shorter than 256 bytes, so this fits
  name[length - 4] = '\0';
  if (!ListContains(catalogue, name)) catalogue.Append(name);
}

void ScanArchiveFolder(const char* folder, MapCatalogue& catalogue, std::int32_t gameType) {
  char pattern[kPathSize];
  if (!JoinCurrentDirectory(pattern, {folder, "*.pk3"})) return;
  for (FileSearch search(pattern); search.Next();) {
    if (search.IsDirectory()) continue;
    char path[kPathSize];
    // A path that does not fit is refused: a cut one could name another file.
    if (JoinCurrentDirectory(path, {folder, search.Name()})) ScanArchive(path, catalogue, gameType);
  }
}

}  // namespace

void ScanArchiveMaps(MapCatalogue& catalogue, std::int32_t gameType) {
  CatalogueUpdate update(catalogue);
  catalogue.Clear();
  if (!AdmitsArchiveMaps(gameType)) return;
  ScanArchiveFolder("main", catalogue, gameType);
  ScanArchiveFolder("mainex", catalogue, gameType);
}

void ScanArchive(const char* archivePath, MapCatalogue& catalogue, std::int32_t gameType) {
  if (!AdmitsArchiveMaps(gameType)) return;
  unzFile archive = unzOpen(archivePath);
  if (archive == nullptr) return;
  unz_global_info global;
  if (unzGetGlobalInfo(archive, &global) == UNZ_OK && global.number_entry != 0) {
    // A record that cannot be read ends the walk; what was added before stays.
    for (int status = unzGoToFirstFile(archive); status == UNZ_OK; status = unzGoToNextFile(archive)) {
      unz_file_info info;
      char entry[kEntryNameSize];
      if (unzGetCurrentFileInfo(archive, &info, entry, kEntryNameSize, nullptr, 0, nullptr, 0) != UNZ_OK) break;
      // minizip terminates the name only when it is shorter than the buffer.
      if (info.size_filename >= kEntryNameSize || !IsScriptSafe(entry)) continue;
      if (gameType == Objective) {
        if (IsObjectiveEntry(entry)) AddEntryMap(entry, catalogue);
      } else if (gameType == TugOfWar) {
        if (IsTugOfWarEntry(entry)) AddEntryMap(entry, catalogue);
      } else {
        if (IsDeathmatchEntry(entry)) AddEntryMap(entry, catalogue);
        if (IsTugOfWarEntry(entry)) AddEntryMap(entry, catalogue);
      }
    }
  }
  unzClose(archive);
}
