#pragma once
// Resources that a module carries, compiled from a resource script by the
// resource compiler (tools/vbrc) and linked into the module as data. A
// resource is found by type and name, each a number or a text.
//
// The resource script, in the platform's resource-script form:
//
//     #define IDD_GENERAL 2000          // numbers may be named
//     1 TYPELIB "zevote32.tls"          // type-library source (see typelib.h)
//     1 BITMAP "toolbox.bmp"            // any image file Qt reads
//     2 ICON "zevote.ico"               // icon group 2 with icon image 1
//     IDD_GENERAL DIALOG 0, 0, 195, 127
//     STYLE WS_CHILD | DS_SETFONT | DS_3DLOOK
//     CAPTION ""
//     FONT 8, "MS Sans Serif"
//     BEGIN
//         CONTROL "text", 100, "Static", WS_CHILD | WS_VISIBLE, 10, 10, 50, 8
//     END
//     STRINGTABLE
//     BEGIN
//         1000 "Tavorin ActiveX Test Control Properties"
//         2005 "First line\nSecond line"
//     END
//     1 VERSIONINFO
//     FILEVERSION 1,0,0,1
//     PRODUCTVERSION 1,0,0,1
//     BEGIN
//         BLOCK "StringFileInfo"
//         BEGIN
//             BLOCK "040904B0"
//             BEGIN
//                 VALUE "FileDescription", "Tavorin ActiveX Testing Control"
//                 VALUE "OLESelfRegister", ""
//             END
//         END
//     END
//     INTLSZ_LANGMAP RCDATA "langmap.bin"    // bytes of a file, or:
//     INTLSZ_LANGMAP RCDATA
//     BEGIN
//         7, 1, "zevote32deu.dll\0"         // numbers are 16-bit (32-bit with L)
//     END
//
// File names are relative to the script's folder. Text in "..." is UTF-8
// with the escapes \n \t \\ \" \0 and "" for a quote.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "module.h"

namespace com {

// A resource type or name: a number (1..65535) or a text (compared
// ignoring case).
struct ResourceId {
    std::uint16_t number = 0;  // 0 when named
    std::string name;
    ResourceId(int n) : number(static_cast<std::uint16_t>(n)) {}  // NOLINT: numbers convert
    ResourceId(const char* text) : name(text ? text : "") {}       // NOLINT
    ResourceId(std::string text) : name(std::move(text)) {}        // NOLINT
    bool IsNumber() const { return number != 0; }
};

// Standard resource types.
constexpr int RT_ICON = 3;
constexpr int RT_BITMAP = 2;
constexpr int RT_DIALOG = 5;
constexpr int RT_STRING = 6;
constexpr int RT_RCDATA = 10;
constexpr int RT_GROUP_ICON = 14;
constexpr int RT_VERSION = 16;
inline const char* const RT_TYPELIB = "TYPELIB";

struct ResourceEntry;
using HRSRC = const ResourceEntry*;
using HGLOBAL = const void*;

// FindResource(module, name, type), in the platform's argument order.
// Null when the module carries no such resource.
HRSRC FindResource(HMODULE module, const ResourceId& name, const ResourceId& type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
const void* LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// The bytes of a resource; nothing when absent.
std::optional<std::string_view> ResourceBytes(HMODULE module, const ResourceId& name, const ResourceId& type);

// String `id` into buffer (UTF-8), cut to size - 1 bytes (never inside a
// character) and NUL-terminated; returns the bytes copied, 0 when absent.
int LoadString(HINSTANCE module, UINT id, char* buffer, int size);
std::optional<std::string> LoadStringText(HINSTANCE module, UINT id);

// Dialog templates.
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_3DLOOK = 0x4;
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_CONTROL = 0x400;

struct DialogItem {
    std::string text;
    std::uint16_t id = 0;
    std::string className;
    DWORD style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
};
struct DialogTemplate {
    DWORD style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::string caption;
    std::uint16_t pointSize = 0;                 // with DS_SETFONT
    std::string fontName;
    std::vector<DialogItem> items;
};
std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE module, const ResourceId& name);

// Version block.
struct VersionInfo {
    WORD fileVersion[4] = {};
    WORD productVersion[4] = {};
    std::vector<std::pair<std::string, std::string>> strings;  // VALUE name, text; in order
    // The text of a value; nothing when absent (an empty value is "").
    std::optional<std::string> Value(std::string_view name) const;
};
std::optional<VersionInfo> LoadVersionInfo(HINSTANCE module);

// The symbol under which the compiled resources are linked into a module.
inline constexpr const char* kResourceSymbol = "orvanta_module_resources";

}  // namespace com
