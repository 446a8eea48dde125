#include "srvsetup/settings/file_replacement.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

// "~" and four hex digits: shorter than either file name it stands in for, so that whenever the
// target's path fits its buffer the temporary one does too.
constexpr char kTemporaryName[] = "~%04x.tmp";
constexpr std::size_t kTemporaryNameLength = sizeof "~0000.tmp" - 1;
// Names already taken (a user's file, another launcher's) are passed over, never reused.
constexpr unsigned kNameAttempts = 64;

enum class Creation { Created, NameTaken, Failed };

#ifdef _WIN32

using File = HANDLE;

unsigned ProcessTag() { return static_cast<unsigned>(GetCurrentProcessId()); }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

Creation CreateNewFile(const char* path, File& file) {
  file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) return Creation::Created;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? Creation::NameTaken : Creation::Failed;
}

bool WriteAll(File file, const unsigned char* bytes, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) return false;
    bytes += written;
    size -= written;
  }
  return true;
}

// Closes the file whatever happens; true only when every byte reached the disk.
bool FlushAndClose(File file) {
  const bool flushed = FlushFileBuffers(file) != FALSE;
  return CloseHandle(file) != FALSE && flushed;
}

bool MoveOver(const char* from, const char* to) {
  // Windows refuses to replace a read-only file; Wine does not, so the rule is kept here.
  const DWORD attributes = GetFileAttributesA(to);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void RemoveFile(const char* path) { DeleteFileA(path); }

#else

using File = int;

unsigned ProcessTag() { return static_cast<unsigned>(getpid()); }

bool IsSeparator(char c) { return c == '/'; }

Creation CreateNewFile(const char* path, File& file) {
  // The mode a C library fopen gives a new file.
  file = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (file >= 0) return Creation::Created;
  return errno == EEXIST ? Creation::NameTaken : Creation::Failed;
}

bool WriteAll(File file, const unsigned char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(file, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool FlushAndClose(File file) {
  const bool flushed = fsync(file) == 0;
  return close(file) == 0 && flushed;
}

bool MoveOver(const char* from, const char* to) { return std::rename(from, to) == 0; }

void RemoveFile(const char* path) { unlink(path); }

#endif

}  // namespace

bool ReplaceFileContents(const char* path, const void* bytes, std::size_t size) {
  // The temporary file lies in the target's folder, so that the replacement is a rename within
  // one volume.
  std::size_t folderLength = std::strlen(path);
  while (folderLength > 0 && !IsSeparator(path[folderLength - 1])) --folderLength;
  if (folderLength + kTemporaryNameLength >= kPathSize) return false;

  char temporary[kPathSize];
  std::memcpy(temporary, path, folderLength);
  for (unsigned attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::snprintf(temporary + folderLength, kPathSize - folderLength, kTemporaryName,
                  (ProcessTag() + attempt) & 0xFFFFu);
    File file;
    const Creation creation = CreateNewFile(temporary, file);
    if (creation == Creation::NameTaken) continue;
    if (creation == Creation::Failed) return false;

    const bool written = WriteAll(file, static_cast<const unsigned char*>(bytes), size);
    if (FlushAndClose(file) && written && MoveOver(temporary, path)) return true;
    RemoveFile(temporary);
    return false;
  }
  return false;
}
