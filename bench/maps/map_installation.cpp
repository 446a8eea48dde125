#include "map_installation.h"

#include <unzip.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "srvsetup/launch/game_paths.h"
#include "srvsetup/maps/file_search.h"
#include "srvsetup/maps/map_scan.h"
#include "support/zip_archive.h"

namespace {

std::string Numbered(const char* format, int number) {
  char text[64];
  std::snprintf(text, sizeof text, format, number);
  return text;
}

// Entry g of the installation: half DM maps, three tenths objective, two tenths tug of war.
// Every tenth entry of the later archives names the map at the same place one archive earlier.
std::string ArchiveEntry(int g, int perArchive) {
  const int family = g % 10;
  const int id = (family == 3 && g >= perArchive) ? g - perArchive : g;
  if (family < 5) return Numbered("maps/DM/arena_%05d.bsp", id);
  if (family < 8) return Numbered("maps/obj/fort_%05d.bsp", id);
  return Numbered("maps/obj/bridge_%05d_TOW.bsp", id);
}

void WriteLooseFile(const std::filesystem::path& file) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << "bsp";
}

}  // namespace

void GenerateInstallation(const InstallationSize& size) {
  const std::filesystem::path root = std::filesystem::current_path();
  const int perArchive = size.archiveEntries / size.archives;
  for (int a = 0; a < size.archives; ++a) {
    std::vector<std::string> entries;
    for (int k = 0; k < perArchive; ++k) entries.push_back(ArchiveEntry(a * perArchive + k, perArchive));
    const char* folder = a < size.archives / 2 ? "main" : "mainex";
    WriteZipArchive(root / folder / Numbered("pak%02d.pk3", a), entries);
  }
  // A quarter in each folder; a fifth of the main ones repeat a mainex name, and the objective
  // ones overlap the archives' objective maps.
  const int perFolder = size.looseFiles / 4;
  for (int i = 0; i < perFolder; ++i) {
    const int repeated = i % 5 == 0 ? i + 1 : i + perFolder;
    WriteLooseFile(root / "mainex/maps/dm" / Numbered("loose_%05d.bsp", i));
    WriteLooseFile(root / "main/maps/dm" / Numbered("loose_%05d.bsp", repeated));
    WriteLooseFile(root / "mainex/maps/obj" / Numbered(i % 5 == 0 ? "ridge_%05d_tow.bsp" : "fort_%05d.bsp", i));
    WriteLooseFile(root / "main/maps/obj" / Numbered(i % 5 == 0 ? "ridge_%05d_tow.bsp" : "fort_%05d.bsp", repeated));
  }
}

std::size_t ListArchiveEntries() {
  std::size_t entries = 0;
  for (const char* folder : {"main", "mainex"}) {
    char pattern[kPathSize];
    if (!JoinCurrentDirectory(pattern, {folder, "*.pk3"})) continue;
    for (FileSearch search(pattern); search.Next();) {
      char path[kPathSize];
      if (search.IsDirectory() || !JoinCurrentDirectory(path, {folder, search.Name()})) continue;
      unzFile archive = unzOpen(path);
      if (archive == nullptr) continue;
      for (int status = unzGoToFirstFile(archive); status == UNZ_OK; status = unzGoToNextFile(archive)) {
        unz_file_info info;
        char name[256];
        if (unzGetCurrentFileInfo(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) break;
        ++entries;
      }
      unzClose(archive);
    }
  }
  return entries;
}

void BuildCatalogue(MapCatalogue& catalogue, std::int32_t gameType) {
  ScanArchiveMaps(catalogue, gameType);
  ScanLooseMaps(catalogue, gameType);
}

bool LinearCatalogue::Contains(const char* name) {
  for (const std::string& item : items_) {
    if (std::strcmp(item.c_str(), name) == 0) return true;
  }
  return false;
}
