// Loads "settings.cfg" made of arbitrary bytes. The record must stay within itself, every text
// field must end within its 256 bytes, and what the program then saves must load back to the
// very same file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "srvsetup/settings/server_settings.h"

namespace {

void WriteBytes(const char* name, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(name, "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

std::string ReadBytes(const char* name) {
  std::string bytes;
  std::FILE* file = std::fopen(name, "rb");
  if (file == nullptr) std::abort();
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  std::fclose(file);
  return bytes;
}

void CheckTextsTerminated(const ServerSettings& s) {
  for (const char* text : {s.serverName, s.startMap, s.mapRotation, s.additionalSettings, s.password, s.keywords}) {
    if (strnlen(text, kTextFieldSize) >= kTextFieldSize) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WriteBytes("settings.cfg", data, size);
  ServerSettings loaded;
  loaded.Load("settings.cfg");
  CheckTextsTerminated(loaded);

  loaded.Save("first.cfg");
  const std::string first = ReadBytes("first.cfg");
  if (first.size() != kSettingsFileSize) std::abort();

  ServerSettings again;
  again.Load("first.cfg");
  CheckTextsTerminated(again);
  again.Save("second.cfg");
  // A saved file whose record version is not 1 is refused on the next load, by design; every
  // other file of the program's own making must round-trip exactly.
  if (loaded.version == kSettingsVersion && ReadBytes("second.cfg") != first) std::abort();
  return 0;
}
