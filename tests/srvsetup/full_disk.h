// A small file system that a test fills up, so that writes there fail for real for want of
// room. Natively, as root, a tmpfs mounted for the object's lifetime. Under Wine, where a test
// program cannot mount, the tmpfs that tools/full-disk.sh mounts for CTest's full_disk fixture,
// named by FULL_DISK_DIR. While the object lives the current directory is a fresh folder on it.
// When there is none, Unavailable() says why and the test skips with that text.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

class FullDisk {
 public:
  static constexpr std::uintmax_t kPage = 4096;  // tmpfs allocates whole pages

  FullDisk() {
#ifdef _WIN32
    const char* mounted = std::getenv("FULL_DISK_DIR");
    if (mounted == nullptr) {
      unavailable_ = "FULL_DISK_DIR is not set: CTest's full_disk fixture (tools/full-disk.sh) sets it";
      return;
    }
    const std::filesystem::path base(mounted);
    if (!std::filesystem::exists(base / "mounted")) {
      unavailable_ = "no small file system at " + base.string() + ": see the output of the full_disk.mount test";
      return;
    }
    std::error_code ignored;
    // What a test that did not end left behind; only the fixture's marker stays.
    for (const auto& entry : std::filesystem::directory_iterator(base, ignored)) {
      if (entry.path().filename() != "mounted") std::filesystem::remove_all(entry.path(), ignored);
    }
    folder_ = base / "work";
    std::filesystem::create_directory(folder_);
#else
    if (geteuid() != 0) {
      unavailable_ = "not root: no small file system can be mounted to fill up";
      return;
    }
    std::string base = (std::filesystem::temp_directory_path() / "srvsetup-full-disk-XXXXXX").string();
    if (mkdtemp(&base[0]) == nullptr) {
      unavailable_ = "no folder to mount on: " + std::string(std::strerror(errno));
      return;
    }
    if (mount("tmpfs", base.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=1m") != 0) {
      unavailable_ = "mounting a tmpfs failed: " + std::string(std::strerror(errno));
      rmdir(base.c_str());
      return;
    }
    folder_ = base;
#endif
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
  }

  ~FullDisk() {
    if (folder_.empty()) return;
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
#ifdef _WIN32
    std::filesystem::remove_all(folder_, ignored);
#else
    umount2(folder_.c_str(), MNT_DETACH);
    rmdir(folder_.c_str());
#endif
  }

  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  const std::string& Unavailable() const { return unavailable_; }
  const std::filesystem::path& Path() const { return folder_; }

  void WriteFile(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path file = folder_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  // Takes every free page with a file named "filler", then gives back `pagesLeft` of them; true
  // when the file system did refuse a write.
  bool Fill(std::uintmax_t pagesLeft = 0) const {
    const std::filesystem::path filler = folder_ / "filler";
    std::FILE* file = std::fopen(filler.string().c_str(), "ab");
    if (file == nullptr) return false;
    std::setvbuf(file, nullptr, _IONBF, 0);
    const std::vector<char> chunk(64 * 1024, 'F');
    bool refused = false;
    for (std::uintmax_t total = 0; !refused && total < (64u << 20); total += chunk.size()) {
      refused = std::fwrite(chunk.data(), 1, chunk.size(), file) < chunk.size();
    }
    std::fclose(file);
    if (!refused) return false;
    // Cut back to the last whole page held, then the pages given back; never lengthened, which
    // under Wine takes a page of its own.
    const std::uintmax_t size = std::filesystem::file_size(filler);
    const std::uintmax_t held = (size + kPage - 1) / kPage;
    const std::uintmax_t kept = (held - std::min(held, pagesLeft)) * kPage;
    return kept >= size || Truncate(filler, kept);
  }

  // Gives back all that Fill took.
  void Release() const { std::filesystem::remove(folder_ / "filler"); }

  // Every file and folder below the working folder, relative with '/', sorted, one a line.
  std::string Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_)) {
      names.push_back(std::filesystem::relative(entry.path(), folder_).generic_string());
    }
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const auto& name : names) listing += name + "\n";
    return listing;
  }

 private:
  // The C++ library's resize_file fails under Wine.
  static bool Truncate(const std::filesystem::path& file, std::uintmax_t size) {
#ifdef _WIN32
    HANDLE handle = CreateFileA(file.string().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool cut = SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
    CloseHandle(handle);
    return cut;
#else
    return truncate(file.c_str(), static_cast<off_t>(size)) == 0;
#endif
  }

  std::string unavailable_;
  std::filesystem::path folder_;
  std::filesystem::path previous_;
};
