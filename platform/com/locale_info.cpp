#include "locale_info.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace com {

namespace {
std::mutex& Lock() {
    static std::mutex m;
    return m;
}
std::string& Override() {
    static std::string text;
    return text;
}

// The locale name the process runs in: "de_DE" from "de_DE.UTF-8@euro".
std::string LocaleName() {
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(var);
        if (v && *v) {
            std::string s = v;
            if (const auto cut = s.find_first_of(".@"); cut != std::string::npos) s.resize(cut);
            return s;
        }
    }
    return "C";
}

// The platform's abbreviations: the two-letter language code and a letter
// for the country (the language's home country: its own letter).
std::string Abbreviation(const std::string& locale) {
    static const std::map<std::string, std::string> known = {
        {"en_US", "ENU"}, {"en_GB", "ENG"}, {"en_AU", "ENA"}, {"en_CA", "ENC"}, {"en_NZ", "ENZ"},
        {"en_IE", "ENI"}, {"de_DE", "DEU"}, {"de_AT", "DEA"}, {"de_CH", "DES"}, {"fr_FR", "FRA"},
        {"fr_BE", "FRB"}, {"fr_CA", "FRC"}, {"fr_CH", "FRS"}, {"it_IT", "ITA"}, {"it_CH", "ITS"},
        {"es_ES", "ESN"}, {"es_MX", "ESM"}, {"nl_NL", "NLD"}, {"nl_BE", "NLB"}, {"pt_BR", "PTB"},
        {"pt_PT", "PTG"}, {"sv_SE", "SVE"}, {"da_DK", "DAN"}, {"nb_NO", "NOR"}, {"fi_FI", "FIN"},
        {"pl_PL", "PLK"}, {"cs_CZ", "CSY"}, {"hu_HU", "HUN"}, {"ru_RU", "RUS"}, {"tr_TR", "TRK"},
        {"el_GR", "ELL"}, {"ja_JP", "JPN"}, {"ko_KR", "KOR"}, {"zh_CN", "CHS"}, {"zh_TW", "CHT"},
    };
    if (locale == "C" || locale == "POSIX" || locale.size() < 2) return "ENU";
    if (auto it = known.find(locale); it != known.end()) return it->second;
    std::string out;
    out += static_cast<char>(std::toupper(static_cast<unsigned char>(locale[0])));
    out += static_cast<char>(std::toupper(static_cast<unsigned char>(locale[1])));
    const auto sep = locale.find('_');
    const char country = sep != std::string::npos && sep + 1 < locale.size() ? locale[sep + 1] : locale[1];
    out += static_cast<char>(std::toupper(static_cast<unsigned char>(country)));
    return out;
}
}  // namespace

int GetLocaleInfo(LCID, LCTYPE type, char* buffer, int size) {
    if (type != LOCALE_SABBREVLANGNAME) return 0;
    std::string text;
    {
        std::lock_guard<std::mutex> guard(Lock());
        text = Override();
    }
    if (text.empty()) text = Abbreviation(LocaleName());
    const int needed = static_cast<int>(text.size()) + 1;
    if (!buffer || size < needed) return 0;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return needed;
}

BOOL SetLocaleInfo(LCID, LCTYPE type, const char* text) {
    if (type != LOCALE_SABBREVLANGNAME) return FALSE;
    std::lock_guard<std::mutex> guard(Lock());
    Override() = text ? text : "";
    return TRUE;
}

}  // namespace com
