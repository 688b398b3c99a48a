#pragma once
// The object runtime: loads the object library appended to the program,
// registers the program's generated classes through its export directory,
// runs their events and draws their windows with Qt.
#include <functional>
#include <string>
#include <vector>

#include "low_arena.h"
#include "vm_abi.h"

class QWidget;

namespace pbvm {

// A message box the scripts asked for. The handler answers with the button
// number (1 for OK), or 0 when the box cannot be shown.
struct MessageBoxCall {
    std::string title;
    std::string text;
    int icon = 0;
};
using MessageBoxHandler = std::function<int(const MessageBoxCall&)>;

class Runtime {
public:
    static Runtime& Get();

    // Loads the library at the end of `libraryFile` and registers every class
    // of its object list that the program exports. False with `error` set
    // when the library is missing or damaged or the application class has no
    // code.
    bool Load(const ExportDirectory& program, const std::string& libraryFile, std::string& error);
    // Creates the application object and runs its create and open events.
    void StartApplication(const std::string& commandLine);
    // Runs the application's close and destroy events (once), closes every
    // window and frees every object; the runtime can then be loaded again.
    void EndApplication();
    // True while a window is open and no HALT has run.
    bool Running() const;
    bool Halted() const;

    u32 Context() const;
    u32 ApplicationObject() const;
    // Address of a global variable's value record, 0 when there is none.
    u32 GlobalRecord(const std::string& name) const;
    // The group number of a loaded class, -1 when not loaded.
    int GroupOf(const std::string& className) const;
    // The top-level window widget of the open window of that class.
    QWidget* Window(const std::string& className) const;
    std::vector<QWidget*> OpenWindows() const;
    // Runs event `eventNumber` of the object; false when its script stopped.
    bool TriggerEvent(u32 object, int eventNumber);
    // The object of a field of an object (a control of a window, a menu
    // item), 0 when the field holds none.
    u32 FieldObject(u32 object, int field) const;

    // The shown texts of a DataWindow control's or data store's rows, one
    // per label and column, as the display formats give them.
    std::vector<std::vector<std::string>> DataWindowTexts(u32 object) const;

    void SetMessageBoxHandler(MessageBoxHandler handler);
    // The answer of the runtime's error handling to a null-object error:
    // 0 stops the script (the default), nonzero skips the failed access.
    void SetNullObjectErrorAnswer(u32 answer);
    // Each null-object error reported so far (its code), for tests.
    const std::vector<u32>& NullObjectErrors() const;

private:
    Runtime() = default;
};

}  // namespace pbvm

// Ordinal 137: runs the whole application of the program whose export
// directory `instance` addresses; the program's result.
// The command line is the 32-bit address of its text.
extern "C" std::uint32_t vmStartApplication(std::uint32_t instance, std::uint32_t previous,
                                            std::uint32_t commandLine, std::uint32_t show,
                                            std::uint32_t iconGroup, std::uint32_t one);
