// The shortcut in the user's Startup folder that starts Brellox at log-on:
// where it lies, and whether it starts this copy. Nothing here needs the
// window system.
#ifndef BRELLOX_STARTUP_SHORTCUT_H
#define BRELLOX_STARTUP_SHORTCUT_H

#include "../options/save_failure.h"
#include "../platform/platform_types.h"

// The shortcut's path in that folder, within MAX_PATH bytes; false, with path
// empty, when the name does not fit.
bool StartupShortcutPath(const char *startupFolder, char path[MAX_PATH]);

// Whether two paths name the same file as the file system compares names:
// letters in either case, one trailing backslash ignored. The bytes of a
// two-byte character compare as they are, since its second byte may be a
// letter or a backslash.
bool SamePath(const char *a, const char *b, LeadByteTest isLeadByte);

// Whether a shortcut with that target and working folder starts this copy:
// the same program, in the folder whose settings file this copy reads. Any
// other copy, or this one started elsewhere, is another Brellox.
bool StartsThisCopy(const char *target, const char *workingFolder, const char *exePath, const char *currentFolder,
                    LeadByteTest isLeadByte);

// The command line of the copy of Brellox that the bar menu's Start with
// Windows starts to write the shortcut ("/StartWithWindows", any case, blanks
// around it ignored); whether a command line is that one.
extern const char kStartWithWindowsSwitch[];
bool IsStartWithWindowsSwitch(const char *commandLine);

#endif
