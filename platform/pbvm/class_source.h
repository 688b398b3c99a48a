#pragma once
// The inner formats of the object library's entries, which only our runtime
// reads: class entries (application, window and menu classes), DataWindow
// entries and the object list. Sources are texts kept in the repository; the
// library writer compiles them, the runtime parses the compiled entries.
//
// A class source is a text of lines:
//   class NAME KIND                       the class and its system class
//   global SLOT NAME CLASS                a global variable the class's code
//                                         reaches by SLOT in its group
//   instance FIELD NAME CLASS             an instance variable of the class,
//                                         in field FIELD of its objects
//   object NAME SYSCLASS PARENT FIELD     the class itself (PARENT and FIELD
//                                         "-") or a nested control or item
//     PROPERTY = VALUE                    a property of the object above: a
//                                         number or a "quoted text"
//   script OBJECT +EVENT                  an event or function with code
//   _initsrc                              then one type name per line: the
//                                         type list, type 0x8001 first
// Lines starting with "#" are comments.
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "library_file.h"

namespace pbvm {

Bytes CompileClassSource(const Bytes& source);
Bytes CompileDataWindowSource(const Bytes& source);
Bytes BuildObjectList(const std::string& application, const std::vector<std::string>& classes);

using PropertyValue = std::variant<long, std::string>;

struct ObjectDef {
    std::string name;
    std::string sysClass;
    std::string parent;  // empty for the class itself
    int field = -1;      // field of the parent holding it
    std::map<std::string, PropertyValue> properties;

    std::string text(const std::string& property, const std::string& fallback = {}) const;
    long number(const std::string& property, long fallback = 0) const;
    bool has(const std::string& property) const { return properties.count(property) != 0; }
};

struct GlobalDef {
    int slot = 0;
    std::string name;
    std::string className;
};

struct InstanceVariableDef {
    int field = 0;
    std::string name;
    std::string className;
};

struct ClassDef {
    std::string name;
    std::string kind;  // application, window, menu
    std::vector<GlobalDef> globals;
    std::vector<InstanceVariableDef> instanceVariables;
    std::vector<ObjectDef> objects;  // the class first
    std::vector<std::string> scripts;
    std::vector<std::string> types;  // type 0x8001 + i is types[i]

    const ObjectDef* object(const std::string& name) const;
    const GlobalDef* global(int slot) const;
    // 0x8001 + position, 0 when the name is not in the type list.
    int typeId(const std::string& name) const;
    std::string typeName(int typeId) const;
};

// Parses a compiled class entry; nullopt with `error` set when it is damaged.
std::optional<ClassDef> ParseClassEntry(const Bytes& entry, std::string& error);

struct ObjectList {
    std::string application;
    std::vector<std::string> classes;  // index 0 is the runtime's own group
};
std::optional<ObjectList> ParseObjectList(const Bytes& entry, std::string& error);

}  // namespace pbvm
