#include "game_folder.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

GameFolder::GameFolder() : previous_(fs::current_path()) {
  std::random_device entropy;
  std::mt19937_64 random((static_cast<std::uint64_t>(entropy()) << 32) ^ entropy());
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("srvsetup-test-" + std::to_string(random() % 1000000000));
    if (fs::create_directory(candidate)) {
      path_ = candidate;
      fs::current_path(path_);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary game folder");
}

GameFolder::~GameFolder() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

void GameFolder::MakeDirectory(const std::string& relative) const {
  fs::create_directories(path_ / fs::path(relative));
}

void GameFolder::WriteFile(const std::string& relative, const std::string& bytes) const {
  const fs::path file = path_ / fs::path(relative);
  if (file.has_parent_path()) fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

bool GameFolder::Exists(const std::string& relative) const {
  return fs::exists(path_ / fs::path(relative));
}

std::string GameFolder::ReadFile(const std::string& relative) const {
  return ReadBinaryFile(path_ / fs::path(relative));
}

std::string GameFolder::Listing() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(path_)) {
    names.push_back(fs::relative(entry.path(), path_).generic_string());
  }
  std::sort(names.begin(), names.end());
  std::string listing;
  for (const auto& name : names) listing += name + "\n";
  return listing;
}

std::string ReadBinaryFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}
