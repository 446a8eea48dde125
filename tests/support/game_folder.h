// A temporary game installation for tests: a fresh folder that is the current directory for the
// fixture's lifetime, with helpers to lay out files and read them back as bytes.
#pragma once

#include <filesystem>
#include <string>

class GameFolder {
 public:
  GameFolder();
  ~GameFolder();
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  // Paths are relative to the folder, with '/' between names.
  void MakeDirectory(const std::string& relative) const;
  void WriteFile(const std::string& relative, const std::string& bytes) const;
  bool Exists(const std::string& relative) const;
  // The file's bytes; empty when it does not exist.
  std::string ReadFile(const std::string& relative) const;
  // Every file and folder below the folder, as relative paths with '/', sorted.
  std::string Listing() const;

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

// The whole content of a file, or an empty string when it cannot be read.
std::string ReadBinaryFile(const std::filesystem::path& path);
