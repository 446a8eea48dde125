#include "zip_archive.h"

#include <zip.h>

#include <stdexcept>

void WriteZipArchive(const std::filesystem::path& path, const std::vector<std::string>& entryNames) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  zipFile archive = zipOpen(path.string().c_str(), APPEND_STATUS_CREATE);
  if (archive == nullptr) throw std::runtime_error("cannot create " + path.string());
  bool written = true;
  for (const std::string& name : entryNames) {
    zip_fileinfo info{};
    const std::string content = "entry " + name;
    written = written &&
              zipOpenNewFileInZip(archive, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                  Z_DEFAULT_COMPRESSION) == ZIP_OK &&
              zipWriteInFileInZip(archive, content.data(), static_cast<unsigned>(content.size())) == ZIP_OK &&
              zipCloseFileInZip(archive) == ZIP_OK;
  }
  written = zipClose(archive, nullptr) == ZIP_OK && written;
  if (!written) throw std::runtime_error("cannot write " + path.string());
}
