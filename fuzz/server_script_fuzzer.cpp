// Writes "server.cfg" from arbitrary records: unterminated texts, extreme numbers, NaN and
// infinite gravity. The script must always be written, within its fields, with CR LF line ends.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "srvsetup/launch/server_config.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  mkdir("mainex", 0755);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ServerSettings settings;
  std::memcpy(static_cast<void*>(&settings), data, size < sizeof settings ? size : sizeof settings);
  if (!WriteServerConfig(settings)) std::abort();

  std::FILE* file = std::fopen("mainex/server.cfg", "rb");
  if (file == nullptr) std::abort();
  std::string written;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) written.append(buffer, got);
  std::fclose(file);

  if (written.size() < 2 || written.compare(written.size() - 2, 2, "\r\n") != 0) std::abort();
  std::size_t lineFeeds = 0;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] != '\n') continue;
    ++lineFeeds;
    if (i == 0 || written[i - 1] != '\r') std::abort();
  }
  // Every line break of the formatted script, and no other, became CR LF on disk.
  const std::string script = FormatServerConfig(settings);
  if (written.size() != script.size() + lineFeeds) std::abort();
  return 0;
}
