#include "srvsetup/maps/file_search.h"

#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

// Greedy matching that backtracks to the last '*' only: each '*' takes the shortest run that
// lets the rest match, which is enough because a later '*' can absorb whatever an earlier one left.
bool MatchesWildcard(const char* pattern, const char* name) {
  const char* star = nullptr;  // the last '*' seen
  const char* resume = nullptr;  // where the name resumes when backtracking to it
  while (*name != '\0') {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern != '\0' && (*pattern == '?' || FoldCase(*pattern) == FoldCase(*name))) {
      ++pattern;
      ++name;
    } else if (star != nullptr) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

#ifdef _WIN32

FileSearch::FileSearch(const char* pattern) {
  const char* file = pattern;
  for (const char* c = pattern; *c != '\0'; ++c) {
    if (*c == '\\' || *c == '/' || *c == ':') file = c + 1;
  }
  if (std::strlen(file) >= sizeof filePattern_) return;
  std::strcpy(filePattern_, file);
  handle_ = FindFirstFileA(pattern, &data_);
  pending_ = handle_ != INVALID_HANDLE_VALUE;
}

FileSearch::~FileSearch() {
  if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
}

bool FileSearch::Next() {
  if (handle_ == INVALID_HANDLE_VALUE) return false;
  for (;;) {
    if (!pending_ && !FindNextFileA(handle_, &data_)) return false;
    pending_ = false;
    if (MatchesWildcard(filePattern_, data_.cFileName)) return true;  // not a short-name match
  }
}

const char* FileSearch::Name() const { return data_.cFileName; }

bool FileSearch::IsDirectory() const { return (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

#else

namespace {

bool EqualsIgnoringCase(const char* a, const char* b) {
  for (; *a != '\0' && FoldCase(*a) == FoldCase(*b); ++a, ++b) {
  }
  return *a == '\0' && *b == '\0';
}

bool IsDirectoryAt(DIR* directory, const dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) return false;
  struct stat status;
  return fstatat(dirfd(directory), entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

// Opens the folder; a part of its path that does not exist as written is looked up among its
// siblings without regard to case, as Windows would find it.
DIR* OpenFolder(const std::string& path) {
  if (DIR* directory = opendir(path.c_str())) return directory;
  std::string resolved = path[0] == '/' ? "/" : "";
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    std::string candidate = resolved + part;
    struct stat status;
    if (stat(candidate.c_str(), &status) != 0) {
      DIR* parent = opendir(resolved.empty() ? "." : resolved.c_str());
      if (parent == nullptr) return nullptr;
      bool found = false;
      while (const dirent* entry = readdir(parent)) {
        if (EqualsIgnoringCase(entry->d_name, part.c_str()) && IsDirectoryAt(parent, entry)) {
          candidate = resolved + entry->d_name;
          found = true;
          break;
        }
      }
      closedir(parent);
      if (!found) return nullptr;
    }
    resolved = candidate + "/";
  }
  return opendir(resolved.c_str());
}

}  // namespace

FileSearch::FileSearch(const char* pattern) {
  const char* separator = std::strrchr(pattern, '/');
  if (separator == nullptr) {
    filePattern_ = pattern;
    directory_ = opendir(".");
  } else {
    filePattern_ = separator + 1;
    directory_ = OpenFolder(separator == pattern ? std::string("/") : std::string(pattern, separator));
  }
}

FileSearch::~FileSearch() {
  if (directory_ != nullptr) closedir(directory_);
}

bool FileSearch::Next() {
  if (directory_ == nullptr) return false;
  while (const dirent* entry = readdir(directory_)) {
    if (!MatchesWildcard(filePattern_.c_str(), entry->d_name)) continue;
    name_ = entry->d_name;
    isDirectory_ = IsDirectoryAt(directory_, entry);
    return true;
  }
  return false;
}

const char* FileSearch::Name() const { return name_.c_str(); }

bool FileSearch::IsDirectory() const { return isDirectory_; }

#endif
