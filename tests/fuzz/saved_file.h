// A settings file holding what a save wrote, read as the profile functions read
// it: an integer key as its number, the colour cut to the reader's buffer.
#ifndef BRELLOX_FUZZ_SAVED_FILE_H
#define BRELLOX_FUZZ_SAVED_FILE_H

#include "core/settings.h"
#include "fuzz_support.h"

#include <string.h>

#include <string>

struct SavedFile {
    const SettingsEntry *entries;

    const char *Find(const char *key) const
    {
        for (int i = 0; i < SETTINGS_ENTRY_COUNT; ++i) {
            if (strcmp(entries[i].key, key) == 0)
                return entries[i].value;
        }
        PropertyFailed(key, __FILE__, __LINE__);
    }

    // Every number a save writes reads back whole.
    static int ReadInt(void *context, const char *key, int)
    {
        const ReferenceNumber number = ReferenceScanNumber(static_cast<SavedFile *>(context)->Find(key));
        FUZZ_CHECK(number.found && *number.end == '\0');
        return number.value;
    }

    static void ReadText(void *context, const char *key, const char *, char *buffer, int size)
    {
        const std::string cut = std::string(static_cast<SavedFile *>(context)->Find(key)).substr(0, size - 1);
        memcpy(buffer, cut.c_str(), cut.size() + 1);
    }

    // Reads the file into settings.
    void Load(Settings *settings, ScreenSize screen)
    {
        const SettingsSource source = {ReadInt, ReadText, this};
        ReadSettings(settings, screen, &source);
    }
};

#endif
