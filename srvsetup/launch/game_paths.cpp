#include "srvsetup/launch/game_paths.h"

#include <cstring>

#ifdef _WIN32
#include <direct.h>
#define getcwd _getcwd
#else
#include <unistd.h>
#endif

bool GetCurrentDirectoryPath(char (&path)[kPathSize]) {
  if (getcwd(path, static_cast<int>(kPathSize)) == nullptr) {
    path[0] = '\0';
    return false;
  }
  return true;
}

bool JoinCurrentDirectory(char (&path)[kPathSize], std::initializer_list<const char*> names) {
  if (!GetCurrentDirectoryPath(path)) return false;
  std::size_t length = std::strlen(path);
  for (const char* name : names) {
    const std::size_t nameLength = std::strlen(name);
    if (length + 1 + nameLength >= kPathSize) {
      path[0] = '\0';
      return false;
    }
    path[length++] = kPathSeparator;
    std::memcpy(path + length, name, nameLength + 1);
    length += nameLength;
  }
  return true;
}
