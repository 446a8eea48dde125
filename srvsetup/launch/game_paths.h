// Paths below the current directory, in the fixed 260-character buffers of the launcher.
// A path that would not fit is refused, never cut.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "srvsetup/settings/file_replacement.h"  // kPathSize

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// The current directory as the system reports it; false when it does not fit the buffer.
bool GetCurrentDirectoryPath(char (&path)[kPathSize]);

// The current directory followed by a separator and each of the given names, separated in turn:
// JoinCurrentDirectory(path, {"mainex", "server.cfg"}). False, with path empty, when the result
// would not fit the buffer or the current directory cannot be read.
bool JoinCurrentDirectory(char (&path)[kPathSize], std::initializer_list<const char*> names);
