// A generated game installation for the map benchmarks, and the two yardsticks the catalogue
// is measured against: a bare listing of the archives and the linear search.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "srvsetup/maps/map_catalogue.h"

struct InstallationSize {
  int archives;        // split evenly between main and mainex
  int archiveEntries;  // map entries over all archives; one in ten repeats an earlier archive's
  int looseFiles;      // split evenly between maps\dm and maps\obj of mainex and main
};

constexpr InstallationSize kBenchInstallation{20, 10000, 2000};

// Lays the installation out below the current directory.
void GenerateInstallation(const InstallationSize& size);

// Reads every entry name of the archives of main and mainex with minizip alone, as the archive
// scan does but without testing or keeping anything. Returns the number of entries read.
std::size_t ListArchiveEntries();

// The catalogue a map dialog builds: the archive pass, then the loose-file pass.
void BuildCatalogue(MapCatalogue& catalogue, std::int32_t gameType);

// The catalogue as a plain linear search: every lookup compares with every item in turn.
class LinearCatalogue final : public MapCatalogue {
 public:
  void Clear() override { items_.clear(); }
  bool Contains(const char* name) override;
  void Append(const char* name) override { items_.emplace_back(name); }
  std::size_t Size() const { return items_.size(); }

 private:
  std::vector<std::string> items_;
};
