#include "map_test_folder.h"

#include <cstring>
#include <system_error>

#include "srvsetup/launch/game_paths.h"

bool EnterFolderOfPathLength(std::size_t length) {
  char current[kPathSize];
  if (!GetCurrentDirectoryPath(current)) return false;
  const std::size_t base = std::strlen(current) + 1;  // and a separator
  if (length <= base) return false;
  std::error_code error;
  std::filesystem::path folder = std::filesystem::current_path();
  std::size_t remaining = length - base;
  // Names of at most 200 characters, so that no single name hits a file system's limit.
  while (remaining > 0) {
    std::size_t part = remaining > 200 ? 200 : remaining;
    if (remaining - part == 1) --part;  // room for a separator and a name of one character
    folder /= std::string(part, 'p');
    remaining -= part;
    if (remaining > 0) --remaining;  // the separator before the next part
  }
  std::filesystem::create_directories(folder, error);
  if (error) return false;
  std::filesystem::current_path(folder, error);
  return !error;
}
