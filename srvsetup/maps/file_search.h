// Directory enumeration as the launcher sees it on Windows: a path whose last part is a pattern
// ("C:\game\main\*.pk3"), entries yielded in the order the file system keeps them, names
// returned as stored, directories reported like files.
//
// Windows: FindFirstFileA / FindNextFileA / FindClose. Windows also matches a pattern against
// the 8.3 short name of an entry, so "*.bsp" can yield "harbour.bspx" (short name HARBOU~1.BSP);
// such entries are passed over here, so that every name yielded matches the pattern itself.
//
// Elsewhere (the test bed): an emulation on readdir. The pattern matches names with '*' (any
// run of characters) and '?' (exactly one), ASCII letters compared without regard to case.
// Folder names in the path are looked up the same way when the exact name does not exist.
// The DOS-compatible pattern quirks ("*." for names without a dot, '?' matching nothing before
// a dot) are not reproduced: the launcher's patterns do not use them.
#pragma once

#include <cstddef>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>

#include <string>
#endif

// True when the name matches the pattern: '*' any run of characters, '?' exactly one, ASCII
// letters without regard to case, every other byte as itself. Cost linear in the product of
// the lengths at worst, no allocation.
bool MatchesWildcard(const char* pattern, const char* name);

// One enumeration: for (FileSearch search(pattern); search.Next();) use(search.Name());
// A missing folder or no match yields nothing. Closes on destruction.
class FileSearch {
 public:
  explicit FileSearch(const char* pattern);
  ~FileSearch();
  FileSearch(const FileSearch&) = delete;
  FileSearch& operator=(const FileSearch&) = delete;

  // Moves to the next matching entry; false when there is none left.
  bool Next();
  // The current entry's name, without its folder; valid until the next call of Next.
  const char* Name() const;
  bool IsDirectory() const;

 private:
#ifdef _WIN32
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA data_{};
  bool pending_ = false;  // data_ holds an entry that Next has not yet yielded
  char filePattern_[MAX_PATH] = {};
#else
  DIR* directory_ = nullptr;
  std::string filePattern_;
  std::string name_;
  bool isDirectory_ = false;
#endif
};
