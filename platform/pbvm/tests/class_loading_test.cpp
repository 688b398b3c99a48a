// Class loading and dispatch with a program of our own: which classes get
// registered and under which group, how generated code finds a group's
// instance, and which routine runs for an object's event.
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

#include "low_arena.h"
#include "test_program.h"
#include "vm_state.h"

namespace {

using namespace tp;
namespace ctx = pbvm::ctx;
using pbvm::Half;
using pbvm::Word;

class ClassLoading : public ProgramTest {};
class Dispatch : public ProgramTest {
protected:
    std::vector<std::string>& events() { return Observed().events; }
    // Close(window) as a script calls it; false when it failed.
    bool closeWindow(u32 window) {
        u32 argument = 0;
        record(argument, {window, pbvm::flag::kValue, kCalcType});
        const u32 table = Word(Op(op::kSystemFunctions, context()) + 8);
        Word(context() + ctx::kArgs) = argument;
        const u32 ok = reinterpret_cast<pbvm::SystemFunction>(
            static_cast<std::uintptr_t>(Word(table + pbvm::sysfn::kClose)))(context(), 1);
        const bool failed = Word(context() + ctx::kErrorFlag) != 0;
        Word(context() + ctx::kErrorFlag) = 0;
        return ok && !failed;
    }
};

TEST_F(ClassLoading, ClassesWithCodeAreRegisteredUnderTheirObjectListPosition) {
    EXPECT_EQ(runtime().GroupOf("tp_app"), 1);
    EXPECT_EQ(runtime().GroupOf("w_calc"), 2);
    EXPECT_EQ(runtime().GroupOf("w_nocode"), -1);   // no registration routine
    EXPECT_EQ(runtime().GroupOf("w_refused"), -1);  // its routine refused
    EXPECT_EQ(runtime().GroupOf("tp_app.apl"), -1);
    EXPECT_EQ(runtime().GroupOf(""), -1);
    // Each routine was told its own group while the runtime loaded it.
    EXPECT_EQ(RegisteredGroups(), (std::vector<int>{1, 2, -1}));
    // Outside a load there is no current group.
    EXPECT_EQ(Op(op::kCurrentGroup, context()), 0xFFFFFFFFu);
}

TEST_F(ClassLoading, EachGroupsInstanceIsFoundThroughTheRoutineStack) {
    const u32 c = context();
    EXPECT_EQ(Word(Word(c + ctx::kRoutineStack) + pbvm::kRoutineStackStride), 4u);
    EXPECT_GE(Word(c + ctx::kInstanceCount), 3u);
    for (u32 group : {1u, 2u}) {
        const u32 instance = GroupInstance(c, group);
        ASSERT_NE(instance, 0u) << group;
        EXPECT_EQ(Half(instance + 0x10), group);  // the group id generated code reads
        const pbvm::Object* o = pbvm::FindObject(instance);
        ASSERT_TRUE(o);
        EXPECT_EQ(o->sysClass, "_group");
        EXPECT_EQ(o->name, group == 1 ? "tp_app" : "w_calc");
    }
    EXPECT_NE(GroupInstance(c, 1), GroupInstance(c, 2));
    // A class that never got registered has no instance, nor has a slot
    // past the classes.
    EXPECT_EQ(GroupInstance(c, 3), 0u);
    EXPECT_EQ(GroupInstance(c, 40), 0u);
}

TEST_F(ClassLoading, AnInstanceRecordMarkedStaleIsResolvedAfresh) {
    const u32 c = context();
    const u32 instance = GroupInstance(c, 2);
    ASSERT_NE(instance, 0u);
    const u32 index = Half(Word(Word(c + ctx::kRoutineStack)) + 4 * 2);
    const u32 record = Word(c + ctx::kInstanceTable) + index * pbvm::kInstanceRecordSize;
    ASSERT_EQ(Word(record + 4), instance);

    Word(record + 4) = 0;  // lost
    EXPECT_EQ(GroupInstance(c, 2), instance);
    EXPECT_EQ(Word(record + 4), instance);

    Word(record + 4) = 0x1234;  // stale, and marked so
    Word(record + 24) = 1;
    EXPECT_EQ(GroupInstance(c, 2), instance);
    EXPECT_EQ(Word(record + 4), instance);
    EXPECT_EQ(Word(record + 24), 0u);

    EXPECT_EQ(Op(op::kResolveThis, c, Word(c + ctx::kInstanceCount)), 0u);
    EXPECT_EQ(Op(op::kResolveThis, c, 0xFFFFu), 0u);
}

TEST_F(ClassLoading, RegistrationOutsideALoadOrForAnotherStackIsRefused) {
    const u32 c = context();
    const u32 frame = records(1);
    Word(frame + 4) = records(1);  // a holder
    const u32 pool = Word(c + ctx::kPool), stack = Word(c + ctx::kRoutineStack);
    EXPECT_EQ(Op(op::kRegisterClass, pool, stack, Op(op::kCurrentGroup, c), frame, 0u), 0u);
    EXPECT_EQ(Op(op::kRegisterClass, pool, stack, 64u, frame, 0u), 0u);
    EXPECT_EQ(Op(op::kRegisterClass, pool, stack + 8, 2u, frame, 0u), 0u);
    Word(frame + 4) = 0;
    EXPECT_EQ(Op(op::kRegisterClass, pool, stack, 2u, frame, 0u), 0u);
    // The classes' tables are as they were: their scripts still run.
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    EXPECT_EQ(Observed().events.back(), "w_calc open");
}

TEST_F(Dispatch, StartRunsTheApplicationsCreateThenOpenWithTheCommandLine) {
    runtime().StartApplication("hello world");
    EXPECT_EQ(events(), (std::vector<std::string>{"tp_app create", "tp_app open hello world"}));
    const u32 app = runtime().ApplicationObject();
    ASSERT_NE(app, 0u);
    EXPECT_EQ(Observed().thisInScript, app);
    const pbvm::Object* o = pbvm::FindObject(app);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->typeId, 0x8002);
    EXPECT_EQ(pbvm::ValueText(*pbvm::At<PbValue>(Op(op::kFieldAddress, context(), app, 0u))), "Test Program");
    EXPECT_FALSE(runtime().Running());  // no window open
}

TEST_F(Dispatch, OpeningAWindowCreatesItsPartsThenRunsItsOpenEvent) {
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    EXPECT_TRUE(Observed().openResult);
    EXPECT_EQ(events(),
              (std::vector<std::string>{"tp_app create", "tp_app open open", "w_calc create", "w_calc open"}));
    EXPECT_TRUE(runtime().Running());
    auto* frame = qobject_cast<QMainWindow*>(runtime().Window("w_calc"));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->windowTitle(), "Calculator");
    auto* button = frame->findChild<QPushButton*>("cb_add");
    ASSERT_TRUE(button);
    EXPECT_EQ(button->text(), "Add");
    auto* label = frame->findChild<QLabel*>("st_shown");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), "none");
    const u32 buttonObject = runtime().FieldObject(window, kButtonField);
    const u32 shownObject = runtime().FieldObject(window, kShownField);
    ASSERT_NE(buttonObject, 0u);
    ASSERT_NE(shownObject, 0u);
    EXPECT_EQ(pbvm::FindObject(buttonObject)->typeId, kButtonType);
    EXPECT_EQ(pbvm::FindObject(shownObject)->typeId, kShownType);
    EXPECT_EQ(Op(op::kParentObject, context(), buttonObject), window);
    EXPECT_EQ(Op(op::kParentObject, context(), window), 0u);
    // Opening it again shows the same window: no second create.
    Observed().events.clear();
    runtime().StartApplication("open");
    EXPECT_EQ(global("w_calc"), window);
    EXPECT_EQ(std::count(events().begin(), events().end(), "w_calc create"), 0);
    EXPECT_EQ(runtime().OpenWindows().size(), 1u);
}

TEST_F(Dispatch, AnEventRunsTheRoutineOfTheObjectsOwnType) {
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 button = runtime().FieldObject(window, kButtonField);
    const u32 shown = runtime().FieldObject(window, kShownField);
    events().clear();
    runtime().Window("w_calc")->findChild<QPushButton*>("cb_add")->click();
    EXPECT_EQ(events(), std::vector<std::string>{"cb_add clicked"});
    EXPECT_EQ(Observed().thisInScript, button);
    EXPECT_EQ(runtime().Window("w_calc")->findChild<QLabel*>("st_shown")->text(), "clicked 1");

    // The same event number on the text runs the text's own routine.
    events().clear();
    EXPECT_TRUE(runtime().TriggerEvent(shown, 33));
    EXPECT_EQ(events(), std::vector<std::string>{"st_shown clicked"});
    EXPECT_EQ(Observed().clicks, 1);

    // Events without a script run nothing and count as done.
    events().clear();
    EXPECT_TRUE(runtime().TriggerEvent(window, 33));
    EXPECT_TRUE(runtime().TriggerEvent(button, 37));
    EXPECT_TRUE(runtime().TriggerEvent(button, 0));
    EXPECT_TRUE(events().empty());
    // An object that is not there runs nothing.
    EXPECT_FALSE(runtime().TriggerEvent(0, 33));
    EXPECT_FALSE(runtime().TriggerEvent(window + 4, 37));
    EXPECT_TRUE(events().empty());
}

TEST_F(Dispatch, AStoppedScriptIsReportedAndTheErrorFlagDoesNotOutliveIt) {
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    EXPECT_FALSE(runtime().TriggerEvent(window, kStoppingEvent));
    EXPECT_EQ(events().back(), "stops");
    EXPECT_TRUE(runtime().TriggerEvent(window, kErrorFlagEvent));
    EXPECT_EQ(Word(context() + ctx::kErrorFlag), 0u);
    EXPECT_TRUE(runtime().Running());  // the window stays
}

TEST_F(Dispatch, ClosingAWindowRunsCloseThenDestroyAndEmptiesItsVariable) {
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 button = runtime().FieldObject(window, kButtonField);
    events().clear();
    EXPECT_TRUE(closeWindow(window));
    EXPECT_EQ(events(), (std::vector<std::string>{"w_calc close", "w_calc destroy"}));
    EXPECT_EQ(global("w_calc"), 0u);
    EXPECT_FALSE(pbvm::FindObject(window));
    EXPECT_FALSE(pbvm::FindObject(button));
    EXPECT_FALSE(runtime().Window("w_calc"));
    EXPECT_FALSE(runtime().Running());
    // A second close finds no window.
    events().clear();
    EXPECT_FALSE(closeWindow(window));
    EXPECT_TRUE(events().empty());
    // It opens anew.
    runtime().StartApplication("open");
    EXPECT_NE(global("w_calc"), 0u);
    EXPECT_EQ(std::count(events().begin(), events().end(), "w_calc create"), 1);
}

TEST_F(Dispatch, EndingTheApplicationRunsEachEndingEventOnce) {
    ASSERT_NE(openCalc(), 0u);
    events().clear();
    runtime().EndApplication();
    EXPECT_EQ(events(), (std::vector<std::string>{"w_calc close", "w_calc destroy", "tp_app close", "tp_app destroy"}));
    EXPECT_EQ(runtime().ApplicationObject(), 0u);
    EXPECT_TRUE(runtime().OpenWindows().empty());
    events().clear();
    runtime().EndApplication();
    EXPECT_TRUE(events().empty());
}

TEST_F(Dispatch, AWindowClassWithoutCodeDoesNotOpen) {
    runtime().StartApplication("nocode");
    EXPECT_EQ(events().back(), "tp_app open nocode");
    EXPECT_FALSE(Observed().openResult);
    EXPECT_TRUE(runtime().OpenWindows().empty());
    EXPECT_FALSE(runtime().Window("w_nocode"));
    EXPECT_EQ(global("w_nocode"), 0u);
}

TEST_F(Dispatch, HaltEndsTheRunAndANewStartRunsAgain) {
    runtime().StartApplication("halt");
    EXPECT_TRUE(runtime().Halted());
    EXPECT_FALSE(runtime().Running());
    runtime().EndApplication();
    events().clear();
    ASSERT_NE(openCalc(), 0u);
    EXPECT_FALSE(runtime().Halted());
    EXPECT_TRUE(runtime().Running());
    EXPECT_EQ(events().front(), "tp_app create");
}

}  // namespace
