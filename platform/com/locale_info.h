#pragma once
// Locale information of the user: the language abbreviation ("ENU",
// "DEU", ...) from the process locale (LC_ALL, LC_MESSAGES, LANG), as the
// platform names languages.
#include "unknown.h"

namespace com {

using LCTYPE = DWORD;
constexpr LCTYPE LOCALE_SABBREVLANGNAME = 0x3;
constexpr LCID LOCALE_USER_DEFAULT_ID = 0x400;  // same value as LOCALE_USER_DEFAULT in automation.h

// Writes the item as text into buffer (size characters with the NUL);
// returns the characters written with the NUL, 0 when the item is unknown
// or does not fit. "C"/"POSIX" and unset locales read as "ENU".
int GetLocaleInfo(LCID locale, LCTYPE type, char* buffer, int size);
// Overrides an item for the process (tests, or a user's choice); an empty
// text removes the override. FALSE for items that cannot be set.
BOOL SetLocaleInfo(LCID locale, LCTYPE type, const char* text);

}  // namespace com
