// The map catalogue's figures under Windows: the same installation and yardsticks as the native
// benchmark, timed by hand (wall time), with the catalogue both in memory and in a real list box,
// indexed and searched linearly item by item.
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

template <class Work>
double Seconds(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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
  // Each round times the listing and both indexed builds one after the other, so that a busy
  // spell of the machine weighs on all three alike; the best of the rounds counts.
  constexpr int kRounds = 9;
  const std::size_t entries = ListArchiveEntries();  // also warms the file cache
  std::printf("bare listing reads %zu entries\n\n", entries);
  std::printf("%-11s %-9s %6s %11s %11s %7s %11s %9s\n", "game type", "catalogue", "maps", "listing ms", "indexed ms",
              "ratio", "linear ms", "speed-up");
  for (const auto& [type, name] : {std::pair{FreeForAll, "FreeForAll"}, {Objective, "Objective"}, {TugOfWar, "TugOfWar"}}) {
    OrderedCatalogue memory;
    ListBoxCatalogue listBox(list);
    double listing = 0, indexed = 0, boxIndexed = 0;
    for (int round = 0; round < kRounds; ++round) {
      const double l = Seconds([] { ListArchiveEntries(); });
      const double m = Seconds([&] { BuildCatalogue(memory, type); });
      const double b = Seconds([&] { BuildCatalogue(listBox, type); });
      if (round == 0 || l < listing) listing = l;
      if (round == 0 || m < indexed) indexed = m;
      if (round == 0 || b < boxIndexed) boxIndexed = b;
    }
    const LRESULT items = SendMessageA(list, LB_GETCOUNT, 0, 0);

    LinearCatalogue memoryLinear;
    double linear = 0;
    for (int round = 0; round < 3; ++round) {
      const double t = Seconds([&] { BuildCatalogue(memoryLinear, type); });
      if (round == 0 || t < linear) linear = t;
    }
    std::printf("%-11s %-9s %6zu %11.2f %11.2f %7.2f %11.2f %8.1fx\n", name, "memory", memory.Items().size(),
                listing * 1e3, indexed * 1e3, indexed / listing, linear * 1e3, linear / indexed);
    if (quick) {
      std::printf("%-11s %-9s %6ld %11s %11.2f %7.2f %11s %9s\n", "", "list box", static_cast<long>(items), "",
                  boxIndexed * 1e3, boxIndexed / listing, "-", "-");
      continue;
    }
    LinearListBoxCatalogue boxLinearCatalogue(list);
    const double boxLinear = Seconds([&] { BuildCatalogue(boxLinearCatalogue, type); });
    std::printf("%-11s %-9s %6ld %11s %11.2f %7.2f %11.2f %8.1fx\n", "", "list box", static_cast<long>(items), "",
                boxIndexed * 1e3, boxIndexed / listing, boxLinear * 1e3, boxLinear / boxIndexed);
  }
  std::printf("target: catalogue at most 1.5 times the bare listing\n");
  DestroyWindow(window);
  return 0;
}
