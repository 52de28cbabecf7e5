// What a shortcut (.lnk) file says it starts, read from its bytes as the shell
// link file format lays them out, without the shell: the running copy reads its
// Startup shortcut each time the bar menu shows, and the shell's own reader
// would keep COM's libraries in its memory from then on. Nothing here needs the
// window system.
#ifndef BRELLOX_SHELL_LINK_FILE_H
#define BRELLOX_SHELL_LINK_FILE_H

#include <stddef.h>

#include "../platform/platform_types.h"

// Turns units UTF-16LE code units (two bytes each, low first) into a
// NUL-terminated string of the ANSI code page within size bytes; false when
// they do not fit or a character has no ANSI form.
typedef bool (*Utf16ToAnsi)(const unsigned char *utf16le, size_t units, char *ansi, size_t size);

struct ShellLinkPaths {
    char target[MAX_PATH];
    char workingFolder[MAX_PATH]; // empty when the shortcut names none
};

// The file system path the shortcut starts, from its link information (local
// base path and common suffix, or for a network target the mapped drive or the
// share and the suffix), and its working folder. False when the bytes are not
// a shortcut, end early or point outside themselves, or when the shortcut
// names its target only as a shell item list (which only the shell resolves)
// or through environment variables.
bool ReadShellLinkPaths(const unsigned char *file, size_t size, Utf16ToAnsi toAnsi, ShellLinkPaths *paths);

#endif
