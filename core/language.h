// Which language Brellox speaks to the user: a pure rule of the user's
// language as the window system names it in English.
#ifndef BRELLOX_LANGUAGE_H
#define BRELLOX_LANGUAGE_H

// Only exactly "Japanese" selects the Japanese resources; every other name,
// or none, the English ones.
bool IsJapaneseLanguage(const char *englishLanguageName);

#endif
