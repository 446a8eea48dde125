// Replacing a file's whole content so that the file is never seen cut: the launcher's two files
// ("settings.cfg" and the server script) are written this way. It lives with the settings, the
// lowest layer that writes a file, so that the script writer above can use it while the settings
// depend on nothing of the launch code.
#pragma once

#include <cstddef>

// Characters of a path buffer, terminator included: every path of the launcher is built in one.
constexpr std::size_t kPathSize = 260;

// Writes the bytes into a new temporary file in the target's folder (a name of its own, created
// only if no file has it), flushes and closes it, and only then puts it in the target's place
// (on Windows MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH, else rename).
// On any failure (no room, a locked, read-only or directory target, a missing folder, a
// temporary path over kPathSize) the temporary file is removed, the target is left as it was,
// or absent if it was, and false is returned. Costs one small file's write, flush and rename.
bool ReplaceFileContents(const char* path, const void* bytes, std::size_t size);
