// Scans a ".pk3" made of arbitrary bytes for every game type. No crash, no overrun, and the
// catalogue keeps its invariants: distinct names of at most 255 characters each, none holding a
// double quote or a control character that could break the server script.
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "srvsetup/maps/map_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen("fuzz.pk3", "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);

  for (std::int32_t gameType = -1; gameType <= 5; ++gameType) {
    OrderedCatalogue catalogue;
    ScanArchive("fuzz.pk3", catalogue, gameType);
    std::set<std::string> seen;
    for (const std::string& name : catalogue.Items()) {
      if (name.size() > 255) std::abort();
      for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F || c == '"') std::abort();
      }
      if (!seen.insert(name).second) std::abort();
      if (!catalogue.Contains(name.c_str())) std::abort();
    }
    if ((gameType < 0 || gameType > 4) && !catalogue.Items().empty()) std::abort();
  }
  return 0;
}
