// A game installation for the map tests: archives and loose files below the current directory,
// and the catalogue both scans build from it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "srvsetup/maps/map_catalogue.h"
#include "srvsetup/maps/map_scan.h"
#include "support/game_folder.h"
#include "support/zip_archive.h"

using Names = std::vector<std::string>;

// Paths are relative to the current directory, which a test may move below the game folder.
inline void Archive(const std::string& relative, const Names& entries) {
  WriteZipArchive(std::filesystem::current_path() / relative, entries);
}

inline void LooseFile(const std::string& relative, const std::string& bytes = "bsp") {
  const std::filesystem::path file = std::filesystem::current_path() / relative;
  std::filesystem::create_directories(file.parent_path());
  FILE* out = std::fopen(file.string().c_str(), "wb");
  if (out == nullptr) throw std::runtime_error("cannot create " + file.string());
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
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
bool EnterFolderOfPathLength(std::size_t length);
