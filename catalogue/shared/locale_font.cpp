#include "locale_font.h"

#include <cstdlib>
#include <initializer_list>

#include "err.h"

namespace orvanta {

namespace {

// Encodes code points as UTF-8; the face names are assembled this way so the
// program holds no literal of them.
std::string FromCodePoints(std::initializer_list<char32_t> codePoints) {
    std::string text;
    for (char32_t c : codePoints) {
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else if (c < 0x800) {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            text += static_cast<char>(0xE0 | (c >> 12));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | (c >> 18));
            text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The language (and territory) part of a locale name must end where the
// prefix ends: "ja" matches "ja_JP.UTF-8" and "ja", not "jam".
bool NameHasPrefix(const std::string& name, const std::string& prefix) {
    if (!StartsWith(name, prefix)) return false;
    if (name.size() == prefix.size()) return true;
    const char next = name[prefix.size()];
    return next == '_' || next == '.' || next == '@';
}

}  // namespace

std::int32_t LocaleIdFromName(const std::string& localeName) {
    if (NameHasPrefix(localeName, "zh_TW")) return kLocaleChineseTaiwan;
    if (NameHasPrefix(localeName, "zh_CN")) return kLocaleChinesePrc;
    if (NameHasPrefix(localeName, "ja")) return kLocaleJapanese;
    if (NameHasPrefix(localeName, "ko")) return kLocaleKorean;
    return kLocaleUsEnglish;
}

std::int32_t UserDefaultLocaleId() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return LocaleIdFromName(value);
    }
    return LocaleIdFromName("");
}

LocaleFont LocaleFontFor(std::int32_t localeId) {
    switch (localeId) {
    case kLocaleChineseTaiwan:
        return {136, FromCodePoints({0x65B0, 0x7D30, 0x660E, 0x9AD4}), 9};
    case kLocaleJapanese:
        return {128,
                FromCodePoints({0xFF2D, 0xFF33, 0x0020, 0xFF30, 0x30B4, 0x30B7, 0x30C3, 0x30AF}),
                9};
    case kLocaleKorean:
        return {129, FromCodePoints({0xAD74, 0xB9BC}), 9};
    case kLocaleChinesePrc:
        return {134, FromCodePoints({0x5B8B, 0x4F53}), 9};
    default:
        return {1, "", 8};
    }
}

void SetFontForLocale(vb::Object& font) {
    const LocaleFont row = LocaleFontFor(UserDefaultLocaleId());
    try {
        font.SetMember("Charset", vb::Variant(row.charset));
        font.SetMember("Name", vb::Variant(row.name));
        font.SetMember("Size", vb::Variant(row.size));
    } catch (const vb::VBError& e) {
        vb::Err().Set(e);
    }
}

void SetFontForLocale(const vb::ObjectRef& font) {
    if (!font) {
        vb::Err().Set(vb::VBError(vb::errors::ObjectVariableNotSet));
        return;
    }
    SetFontForLocale(*font);
}

}  // namespace orvanta
