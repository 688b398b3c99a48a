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

struct DwState;
struct TreeState;

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
    u32 transaction = 0;              // DataWindows: the transaction object
    std::shared_ptr<DwState> dw;      // DataWindow controls and data stores
    std::shared_ptr<TreeState> tree;  // tree views
    bool temporary = false;           // a structure copied to pass by value
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
    // Windows running a script (count of scripts), windows whose Close waits
    // until their scripts are over, windows whose close is under way, and
    // windows to open once such a close is over.
    std::map<u32, int> busy;
    std::vector<u32> pendingClose;
    std::vector<u32> closing;
    std::vector<std::string> pendingOpen;
    // The argument records of the running events, innermost last.
    std::vector<u32> eventArguments;
    std::vector<u32> eventArgumentCounts;
    // Structure locals made for the running scripts, freed when they end.
    std::vector<u32> localStructures;
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
// The same with the event's arguments (read through vmEventArgument).
bool RunScriptWith(u32 object, int eventNumber, const std::vector<PbValue>& arguments);
// The window an object belongs to (itself for a window), 0 for none.
u32 WindowOf(u32 object);
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
// How they look to accessibility tools (after the QApplication exists; once).
void InstallAccessibility();
bool OpenWindow(const std::string& globalName);
bool CloseWindow(u32 window);
void ShowWindowMenu(Object& window);
void FieldChanged(Object& o, u32 field);
void FinishIfIdle();
// A window whose scripts are all over: a Close that waited for them runs.
void ScriptsOver(u32 window);
// Constructor events of a window's controls, in creation order.
void RunConstructors(u32 window);
// The constructor event's number for a control class, -1 for none.
int ConstructorEvent(const std::string& sysClass);
std::optional<Bytes> LibraryBitmap(const std::string& name);

// Object functions of the runtime's system classes.
bool CallSystemObjectFunction(Object& o, u32 index, u32 argc, u32 args, PbValue& result);

// Tab controls and tab pages, tree views, DataWindow controls and stores.
QWidget* CreateTreeWidget(Object& o, QWidget* parent);
bool CallTreeFunction(Object& o, u32 index, u32 argc, u32 args, PbValue& result);
void FillTreeItem(Object& item, u32 handle, const TreeState& tree);
QWidget* CreateDataWindowWidget(Object& o, QWidget* parent);
bool CallDataWindowFunction(Object& o, u32 index, u32 argc, u32 args, PbValue& result);
// Loads the DataWindow object named in the object's dataobject.
void LoadDataObject(Object& o, const std::string& name);
constexpr u32 kDataStoreDataObject = 3;  // the data store's dataobject field
std::vector<std::vector<std::string>> DataWindowTexts(u32 object);

// Registers the faces drawn for the faces the objects name, and the
// application's font. Once per process; needs the Qt application.
void InstallFontFaces();

// Messages.
int ShowMessage(const std::string& title, const std::string& text, int icon);
void ReportError(const std::string& text);

}  // namespace pbvm
