#pragma once
// The runtime's own state behind the operations: loaded class groups, live
// objects and the context. Internal to the runtime.
#include <QPointer>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "class_source.h"
#include "library_file.h"
#include "runtime.h"

class QAction;
class QMainWindow;

namespace pbvm {

// Object record in the arena: 0 magic, 4 field count, 8 field records,
// 0x10 u16 group number, 0x12 u16 type id.
constexpr u32 kObjectMagic = 0x424F4250;  // "PBOB"
constexpr u32 kArrayMagic = 0x52414250;   // "PBAR"

struct Object {
    u32 address = 0;
    std::string name;      // the class or control name, or the system class
    std::string sysClass;  // window, menu, statictext, transaction, ...
    int group = -1;        // group whose code has the object's scripts
    u16 typeId = 0;        // the object's type in that group
    u32 parent = 0;
    const ObjectDef* def = nullptr;
    u32 fieldCount = 0;
    QPointer<QWidget> widget;
    QPointer<QAction> action;
    std::vector<u32> children;  // created parts, in creation order
    std::string dataObject;
};

struct Group {
    int number = 0;
    std::string entryName;
    ClassDef def;
    u32 registration = 0;
    ClassHolder holder{};
    u16 instanceIndex = kNoInstance;
    u32 instance = 0;  // the group object: its globals and its group id
    bool registered = false;
};

struct Connection;

struct State {
    bool loaded = false;
    std::optional<LibraryReader> library;
    const ExportDirectory* program = nullptr;
    std::vector<Group> groups;  // index = group number
    int loadingGroup = -1;
    u32 context = 0;
    u32 valueStack = 0;
    u32 routineStack = 0;
    u32 instanceTable = 0;
    u32 systemHolder = 0;
    u32 systemTable = 0;
    std::unordered_map<u32, std::unique_ptr<Object>> objects;
    std::map<std::string, u32> globals;  // global variable -> value record
    u32 application = 0;
    std::vector<u32> openWindows;  // in opening order
    bool halted = false;
    bool ended = true;
    std::vector<u32> nullErrors;
    u32 nullAnswer = 0;
    MessageBoxHandler messageBox;
    std::map<u32, std::shared_ptr<Connection>> connections;  // transaction -> connection
};

State& S();

// Objects.
Object* FindObject(u32 address);
PbValue* FieldRecord(Object& o, u32 field);  // null when out of range
u32 NewObject(const std::string& sysClass, const std::string& name, int group, u16 typeId, u32 parent,
              const ObjectDef* def);
void FreeObject(u32 address);
Group* GroupOfInstance(u32 instance);
Group* GroupNamed(const std::string& className);
u32 GlobalValue(const std::string& name);  // record address, made on first use
std::string ClassOfGlobal(const std::string& name);
// Runs an event or function routine of the object; true when no script or
// the script ran to its end.
bool RunScript(u32 object, int eventNumber);
bool HasScript(u32 object, int eventNumber);
// Creates an object of a library class (a window, a menu) and runs its
// create event. 0 on failure.
u32 CreateClassObject(const std::string& className, u32 parent);
// Destroys an object: its destroy event, its widget, its record.
bool DestroyObject(u32 address);

// Strings.
u32 NewString(const std::string& text);
std::string StringAt(u32 address);
void ReleaseValue(PbValue& v);
std::string ValueText(const PbValue& v);
long ValueLong(const PbValue& v);

// Arrays: record with magic at 0, element store at 0x14; the store holds
// {count, elements, element type}.
u32 ArrayStore(u32 array);
std::vector<u32> ArrayObjects(u32 array);

// Windows and controls drawn with Qt.
void CreateControlWidget(Object& control);
bool OpenWindow(const std::string& globalName);
bool CloseWindow(u32 window);
void ShowWindowMenu(Object& window);
void FieldChanged(Object& o, u32 field);
void FinishIfIdle();
std::optional<Bytes> LibraryBitmap(const std::string& name);

// Object functions of the runtime's system classes.
bool CallSystemObjectFunction(Object& o, u32 index, u32 argc, u32 args, PbValue& result);

// Messages.
int ShowMessage(const std::string& title, const std::string& text, int icon);
void ReportError(const std::string& text);

}  // namespace pbvm
