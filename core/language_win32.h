// The language check, asked of the window system each time a text is shown.
#ifndef BRELLOX_LANGUAGE_WIN32_H
#define BRELLOX_LANGUAGE_WIN32_H

// Whether the user's language is Japanese, asked with a buffer of bufferSize
// bytes (at most 64).
bool UserLanguageIsJapanese(int bufferSize);

// A text of Brellox's resources, in the ANSI code page, cut to size bytes;
// empty when there is none of that id.
void LoadText(unsigned id, char *buffer, int size);

// Whether a byte of the ANSI code page starts a two-byte character.
bool IsAnsiLeadByte(unsigned char byte);

#endif
