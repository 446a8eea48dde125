// Zip archives for tests, written with minizip's own writer: each entry holds a short text.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Writes an archive whose central directory lists the entries in the given order (names as
// given, duplicates kept); creates the parent folders. An empty list gives an archive with no
// entries. Throws when the archive cannot be written.
void WriteZipArchive(const std::filesystem::path& path, const std::vector<std::string>& entryNames);
