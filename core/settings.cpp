#include "settings.h"

#include <string.h>

int WidthInRange(int width)
{
    if (width < WIDTH_LOWEST)
        return WIDTH_LOWEST;
    if (width > WIDTH_HIGHEST)
        return WIDTH_HIGHEST;
    return width;
}

int AlphaInRange(int alpha)
{
    if (alpha < 0 || alpha > 100)
        return 0;
    return alpha;
}

int OffsetInRange(int offset, ScreenSize screen)
{
    if (offset < 0)
        offset = 0;
    if (offset > screen.cy / 2)
        offset = 0;
    if (offset > screen.cx / 2)
        offset = 0;
    return offset;
}

static bool IsScanSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "%d" conversion: optional white space and sign, then at least one digit.
// The value is accumulated unsigned so that an overlong number wraps instead of
// overflowing a signed int.
static bool ScanInt(const char **cursor, int *value)
{
    const char *p = *cursor;
    while (IsScanSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (*p < '0' || *p > '9')
        return false;
    unsigned int magnitude = 0;
    while (*p >= '0' && *p <= '9') {
        magnitude = magnitude * 10u + static_cast<unsigned int>(*p - '0');
        ++p;
    }
    if (negative)
        magnitude = 0u - magnitude;
    *value = static_cast<int>(magnitude);
    *cursor = p;
    return true;
}

int ScanColor(const char *text, Settings *settings)
{
    int *components[3] = {&settings->R, &settings->G, &settings->B};
    const char *cursor = text;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (*cursor != ',')
                return i;
            ++cursor;
        }
        if (!ScanInt(&cursor, components[i]))
            return i;
    }
    return 3;
}

void ReadSettings(Settings *settings, ScreenSize screen, const SettingsSource *source)
{
    void *context = source->context;
    settings->Left = source->ReadInt(context, "Left", 1);
    settings->Right = source->ReadInt(context, "Right", 0);
    settings->Top = source->ReadInt(context, "Top", 0);
    settings->Bottom = source->ReadInt(context, "Bottom", 0);
    settings->Width = WidthInRange(source->ReadInt(context, "Width", 2));
    settings->Alpha = AlphaInRange(source->ReadInt(context, "Alpha", 255));

    char color[SETTINGS_COLOR_BUFFER];
    source->ReadText(context, "Color", "255,255,0", color, sizeof(color));
    color[sizeof(color) - 1] = '\0';
    ScanColor(color, settings);

    settings->Offset = OffsetInRange(source->ReadInt(context, "Offset", 0), screen);
    settings->OpenWidth = source->ReadInt(context, "OpenWidth", 2);
}

int FormatInt(int value, char *text)
{
    char digits[12];
    int count = 0;
    unsigned int magnitude = value < 0 ? 0u - static_cast<unsigned int>(value) : static_cast<unsigned int>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10u);
        magnitude /= 10u;
    } while (magnitude != 0);

    int length = 0;
    if (value < 0)
        text[length++] = '-';
    while (count > 0)
        text[length++] = digits[--count];
    text[length] = '\0';
    return length;
}

void FormatSettings(const Settings *settings, SettingsEntry entries[SETTINGS_ENTRY_COUNT])
{
    const struct {
        const char *key;
        int value;
    } numbers[] = {
        {"Left", settings->Left},     {"Right", settings->Right},         {"Top", settings->Top},
        {"Bottom", settings->Bottom}, {"Width", settings->Width},         {"Alpha", settings->Alpha},
        {"Offset", settings->Offset}, {"OpenWidth", settings->OpenWidth},
    };
    int i = 0;
    for (const auto &number : numbers) {
        entries[i].key = number.key;
        FormatInt(number.value, entries[i].value);
        ++i;
    }

    entries[i].key = "Color";
    char *text = entries[i].value;
    text += FormatInt(settings->R, text);
    *text++ = ',';
    text += FormatInt(settings->G, text);
    *text++ = ',';
    FormatInt(settings->B, text);
}

static const char *FindEntry(void *context, const char *key)
{
    const SettingsEntry *entries = static_cast<const SettingsEntry *>(context);
    for (int i = 0; i < SETTINGS_ENTRY_COUNT; ++i) {
        if (strcmp(entries[i].key, key) == 0)
            return entries[i].value;
    }
    return NULL;
}

static int ReadEntryInt(void *context, const char *key, int defaultValue)
{
    const char *value = FindEntry(context, key);
    int number = defaultValue;
    if (value != NULL)
        ScanInt(&value, &number);
    return number;
}

static void ReadEntryText(void *context, const char *key, const char *defaultText, char *buffer, int size)
{
    const char *value = FindEntry(context, key);
    if (value == NULL)
        value = defaultText;
    const size_t length = strnlen(value, static_cast<size_t>(size - 1));
    memcpy(buffer, value, length);
    buffer[length] = '\0';
}

void ReadSavedEntries(Settings *settings, ScreenSize screen, const SettingsEntry entries[SETTINGS_ENTRY_COUNT])
{
    // The source only reads through its context.
    const SettingsSource source = {ReadEntryInt, ReadEntryText, const_cast<SettingsEntry *>(entries)};
    ReadSettings(settings, screen, &source);
}

bool BuildSettingsPath(const char *directory, char *path, unsigned size)
{
    size_t directoryLength = strlen(directory);
    size_t nameLength = strlen(SETTINGS_FILE_NAME);
    if (size == 0)
        return false;
    path[0] = '\0';
    if (directoryLength + nameLength + 1 > size)
        return false;
    memcpy(path, directory, directoryLength);
    memcpy(path + directoryLength, SETTINGS_FILE_NAME, nameLength + 1);
    return true;
}

bool EdgeEnabled(const Settings &settings, Edge edge)
{
    const int flags[EDGE_COUNT] = {settings.Left, settings.Right, settings.Top, settings.Bottom};
    return flags[edge] != 0;
}

COLORREF SettingsColor(const Settings &settings)
{
    return static_cast<COLORREF>((settings.R & 0xFF) | (settings.G & 0xFF) << 8 | (settings.B & 0xFF) << 16);
}
