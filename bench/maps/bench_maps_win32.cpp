// The map catalogue's figures under Windows: the same installation and yardsticks as the native
// benchmark, timed by hand (the best wall time of several builds, which a busy machine disturbs
// least), with the catalogue both in memory and in a real list box, indexed and searched
// linearly item by item.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "map_installation.h"
#include "srvsetup/maps/list_box_catalogue.h"
#include "srvsetup/maps/map_scan.h"
#include "srvsetup/settings/server_settings.h"
#include "support/game_folder.h"

namespace {

// The list box searched as a plain linear comparison: every item fetched and compared in turn.
class LinearListBoxCatalogue final : public MapCatalogue {
 public:
  explicit LinearListBoxCatalogue(HWND listBox) : listBox_(listBox) {}
  void Clear() override { SendMessageA(listBox_, LB_RESETCONTENT, 0, 0); }
  bool Contains(const char* name) override {
    const LRESULT count = SendMessageA(listBox_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char item[kMapNameSize];
      SendMessageA(listBox_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      if (std::strcmp(item, name) == 0) return true;
    }
    return false;
  }
  void Append(const char* name) override { SendMessageA(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name)); }

 private:
  HWND listBox_;
};

template <class Build>
double BestSeconds(int repeats, Build&& build) {
  double best = 0;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    build();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (i == 0 || seconds < best) best = seconds;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  // "--quick" leaves out the linear search in the list box, which takes tens of seconds.
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  GameFolder folder;
  GenerateInstallation(kBenchInstallation);
  HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 400, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VSCROLL | LBS_NOTIFY, 0, 0, 280, 380, window,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  if (list == nullptr) {
    std::printf("cannot create a list box\n");
    return 1;
  }
  std::printf("installation: %d archives, %d map entries, %d loose files\n", kBenchInstallation.archives,
              kBenchInstallation.archiveEntries, kBenchInstallation.looseFiles);
  constexpr int kRepeats = 9;
  std::size_t entries = 0;
  ListArchiveEntries();  // warms the file cache
  const double listing = BestSeconds(kRepeats, [&] { entries = ListArchiveEntries(); });
  std::printf("bare listing: %.2f ms for %zu entries\n\n", listing * 1e3, entries);

  std::printf("%-11s %-9s %6s %11s %7s %11s %9s\n", "game type", "catalogue", "maps", "indexed ms", "ratio",
              "linear ms", "speed-up");
  for (const auto& [type, name] : {std::pair{FreeForAll, "FreeForAll"}, {Objective, "Objective"}, {TugOfWar, "TugOfWar"}}) {
    OrderedCatalogue memory;
    LinearCatalogue memoryLinear;
    const double indexed = BestSeconds(kRepeats, [&] { BuildCatalogue(memory, type); });
    const double linear = BestSeconds(3, [&] { BuildCatalogue(memoryLinear, type); });
    std::printf("%-11s %-9s %6zu %11.2f %7.2f %11.2f %8.1fx\n", name, "memory", memory.Items().size(), indexed * 1e3,
                indexed / listing, linear * 1e3, linear / indexed);

    ListBoxCatalogue listBox(list);
    const double boxIndexed = BestSeconds(kRepeats, [&] { BuildCatalogue(listBox, type); });
    const LRESULT items = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (quick) {
      std::printf("%-11s %-9s %6ld %11.2f %7.2f %11s %9s\n", "", "list box", static_cast<long>(items),
                  boxIndexed * 1e3, boxIndexed / listing, "-", "-");
      continue;
    }
    LinearListBoxCatalogue boxLinearCatalogue(list);
    const double boxLinear = BestSeconds(1, [&] { BuildCatalogue(boxLinearCatalogue, type); });
    std::printf("%-11s %-9s %6ld %11.2f %7.2f %11.2f %8.1fx\n", "", "list box", static_cast<long>(items),
                boxIndexed * 1e3, boxIndexed / listing, boxLinear * 1e3, boxLinear / boxIndexed);
  }
  std::printf("target: catalogue at most 1.5 times the bare listing\n");
  DestroyWindow(window);
  return 0;
}
