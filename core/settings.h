// The settings record and the rules that turn the settings file into it.
// Nothing here touches the window system; the settings file's code feeds these
// rules from the profile file and writes the formatted entries back.
#ifndef BRELLOX_SETTINGS_H
#define BRELLOX_SETTINGS_H

#include "../platform/platform_types.h"
#include "edges.h"

struct ScreenSize {
    int cx;
    int cy;
};

struct Settings {
    int Left;
    int Right;
    int Top;
    int Bottom;
    int Width;
    int Alpha;
    int R;
    int G;
    int B;
    int Offset;
    int OpenWidth;
};

#define SETTINGS_SECTION "Brellox"
#define SETTINGS_FILE_NAME "\\Brellox.ini"
#define SETTINGS_COLOR_BUFFER 31

// Where ReadSettings takes its values from: the profile file in the program,
// a table in the tests. Each call names the key and the default for a missing key.
struct SettingsSource {
    int (*ReadInt)(void *context, const char *key, int defaultValue);
    void (*ReadText)(void *context, const char *key, const char *defaultText, char *buffer, int size);
    void *context;
};

// The bar thickness the settings accept, in pixels at 100 %.
enum { WIDTH_LOWEST = 1, WIDTH_HIGHEST = 10 };

int WidthInRange(int width);
int AlphaInRange(int alpha);
int OffsetInRange(int offset, ScreenSize screen);

// Scans text as "%d,%d,%d" into R, G and B. Scanning stops at the first component
// that does not match; components not scanned keep their values. Returns how many
// components were scanned. Numbers too large for 32 bits wrap around.
int ScanColor(const char *text, Settings *settings);

// Reads every key in file order and applies the range rules.
void ReadSettings(Settings *settings, ScreenSize screen, const SettingsSource *source);

struct SettingsEntry {
    const char *key;
    char value[40];
};
enum { SETTINGS_ENTRY_COUNT = 9 };

// The entries a save writes, in the order it writes them.
void FormatSettings(const Settings *settings, SettingsEntry entries[SETTINGS_ENTRY_COUNT]);

// Reads entries as the profile reader reads them back from the file a save of
// them wrote: each number whole, the colour cut to the reader's buffer, a key
// not among them missing. So settings end as a save and a reload would leave
// them, range rules included, without any file.
void ReadSavedEntries(Settings *settings, ScreenSize screen, const SettingsEntry entries[SETTINGS_ENTRY_COUNT]);

// Whether the settings enable the bars of that edge: any non-zero flag does.
bool EdgeEnabled(const Settings &settings, Edge edge);

// The bar colour: the low byte of each component, red lowest.
COLORREF SettingsColor(const Settings &settings);

// Writes value in decimal into text (at least 12 bytes); returns its length.
int FormatInt(int value, char *text);

// Joins the directory and the settings file name into path. Returns false, and
// leaves path empty, when the whole name does not fit into size bytes.
bool BuildSettingsPath(const char *directory, char *path, unsigned size);

#endif
