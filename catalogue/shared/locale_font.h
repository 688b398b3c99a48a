#pragma once
// Fonts for the user's default locale: the Far-Eastern locales get their
// own character set, face and size; every other locale gets the neutral row.
#include <cstdint>
#include <string>

#include "variant.h"

namespace orvanta {

// Locale identifiers the font table knows.
constexpr std::int32_t kLocaleChineseTaiwan = 1028;
constexpr std::int32_t kLocaleJapanese = 1041;
constexpr std::int32_t kLocaleKorean = 1042;
constexpr std::int32_t kLocaleChinesePrc = 2052;
constexpr std::int32_t kLocaleUsEnglish = 1033;

// The identifier of a POSIX locale name ("ja_JP.UTF-8", "zh_TW", "ko"):
// one of the four Far-Eastern identifiers above, otherwise 1033.
std::int32_t LocaleIdFromName(const std::string& localeName);

// The user's default locale: the first non-empty of LC_ALL, LC_CTYPE and
// LANG, mapped by LocaleIdFromName.
std::int32_t UserDefaultLocaleId();

// One row of the font table.
struct LocaleFont {
    std::int16_t charset;
    std::string name;  // UTF-8
    std::int16_t size;
};

// The row for a locale identifier; any identifier not in the table gets the
// last row (character set 1, empty face name, size 8).
LocaleFont LocaleFontFor(std::int32_t localeId);

// Sets font's Charset, Name and Size, in that order and late-bound, from the
// row of the user's default locale. An error while setting a property ends
// the procedure silently: its number is left on the error object and the
// properties already set keep their new values.
void SetFontForLocale(vb::Object& font);
void SetFontForLocale(const vb::ObjectRef& font);

}  // namespace orvanta
