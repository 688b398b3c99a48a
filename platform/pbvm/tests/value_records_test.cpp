// Value records through the runtime's operations: strings the runtime owns,
// field and global targets, integers of 16 bits, references, objects and
// their types, arrays and structures.
#include <QLabel>
#include <QMainWindow>

#include "low_arena.h"
#include "test_program.h"
#include "vm_state.h"

namespace {

using namespace tp;
namespace ctx = pbvm::ctx;
namespace flag = pbvm::flag;
namespace type = pbvm::type;
using pbvm::At;
using pbvm::Half;
using pbvm::Word;

class ValueRecords : public ProgramTest {
protected:
    PbValue& at(u32 record) { return *At<PbValue>(record); }
    std::string text(u32 record) { return pbvm::ValueText(at(record)); }
    u32 makeString(const std::string& s) {
        const u32 source = LowText(s);
        const u32 made = Op(op::kMakeString, context(), source);
        pbvm::LowFree(source);
        return made;
    }
    // A field target of object.field, as generated code makes one.
    u32 fieldTarget(u32 object, u32 field) {
        u32 local = 0;
        record(local);
        Op(op::kFieldLValue, context(), local, object, field);
        return Word(local);
    }
    void releaseTarget(u32 target) {
        Op(op::kReleaseValue, context(), target + 10);
        Op(op::kReleaseObjectRef, Word(context() + ctx::kPool), target);
    }
    PbValue& field(u32 object, u32 f) { return at(Op(op::kFieldAddress, context(), object, f)); }
};

TEST_F(ValueRecords, StringsAreTheRuntimesOwnCopies) {
    const u32 c = context();
    const u32 source = LowText("abc");
    const u32 made = Op(op::kMakeString, c, source);
    ASSERT_NE(made, source);
    At<char>(source)[0] = 'X';
    EXPECT_STREQ(At<const char>(made), "abc");
    EXPECT_STREQ(At<const char>(Op(op::kMakeString, c, 0u)), "");

    // A copy of any record's value as text.
    const std::pair<PbValue, std::string> cases[] = {
        {{made, flag::kValue, type::kString}, "abc"},
        {{static_cast<u32>(-42), flag::kLong, type::kLong}, "-42"},
        {{0xFFFB, flag::kConstant, type::kInteger}, "-5"},
        {{1, flag::kConstant, type::kBoolean}, "1"},
        {{0x4001, flag::kConstant, pbvm::type::kIconEnum}, "16385"},
    };
    for (const auto& [value, expected] : cases) {
        u32 r = 0;
        record(r, value);
        const u32 copy = Op(op::kCopyString, c, r);
        EXPECT_NE(copy, made);
        EXPECT_EQ(std::string(At<const char>(copy)), expected);
        Op(op::kFreeString, c, copy);
        EXPECT_FALSE(pbvm::LowIsBlock(copy));
    }
    EXPECT_EQ(Op(op::kCompareString, c, made, source), 1u);
    At<char>(source)[0] = 'a';
    EXPECT_EQ(Op(op::kCompareString, c, made, source), 0u);
    EXPECT_EQ(Op(op::kCompareString, c, made, 0u), 1u);
    // Freeing what the runtime did not hand out, or nothing, does nothing.
    Op(op::kFreeString, c, 0u);
    Op(op::kFreeString, c, made + 1);
    EXPECT_TRUE(pbvm::LowIsBlock(made));
    Op(op::kFreeString, c, made);
    EXPECT_FALSE(pbvm::LowIsBlock(made));
    pbvm::LowFree(source);
}

TEST_F(ValueRecords, ConcatenationKeepsOneResultAndCarriesNull) {
    const u32 c = context();
    // Texts of different lengths, so that a freed result is not handed out
    // again at once.
    const u32 a = makeString("Hello, "), b = makeString("world"), longer = makeString(" and all who live in it");
    PbValue& result = at(Word(c + ctx::kExprResult));
    ASSERT_EQ(Op(op::kConcatString, c, a, 0u, b, 0u), 1u);
    EXPECT_EQ(pbvm::ValueText(result), "Hello, world");
    EXPECT_FALSE(result.flags & flag::kNull);
    const u32 first = result.value;
    ASSERT_EQ(Op(op::kConcatString, c, b, 0u, longer, 1u), 1u);
    EXPECT_FALSE(pbvm::LowIsBlock(first));  // the earlier result was freed
    EXPECT_EQ(pbvm::StringAt(result.value), "world and all who live in it");
    EXPECT_TRUE(result.flags & flag::kNull);
    ASSERT_EQ(Op(op::kConcatString, c, 0u, 0u, b, 0u), 1u);
    EXPECT_EQ(pbvm::ValueText(result), "world");
    // Neither part was touched.
    EXPECT_STREQ(At<const char>(a), "Hello, ");
    EXPECT_STREQ(At<const char>(b), "world");
    for (u32 s : {a, b, longer}) Op(op::kFreeString, c, s);
}

TEST_F(ValueRecords, AssigningATextFieldReplacesItsTextAndShowsIt) {
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 shown = runtime().FieldObject(window, kShownField);
    auto* label = runtime().Window("w_calc")->findChild<QLabel*>("st_shown");
    ASSERT_TRUE(label);
    const u32 old = field(shown, 23).value;
    ASSERT_TRUE(pbvm::LowIsBlock(old));

    u32 target = fieldTarget(shown, 23);
    ASSERT_EQ(Op(op::kAssign, context(), target, makeString("assigned"), 0u), 1u);
    releaseTarget(target);
    EXPECT_FALSE(pbvm::LowIsBlock(old));
    EXPECT_EQ(pbvm::ValueText(field(shown, 23)), "assigned");
    EXPECT_EQ(field(shown, 23).type, type::kString);
    EXPECT_EQ(label->text(), "assigned");

    // A null text reads as empty.
    target = fieldTarget(shown, 23);
    ASSERT_EQ(Op(op::kAssign, context(), target, makeString("hidden"), 1u), 1u);
    releaseTarget(target);
    EXPECT_TRUE(field(shown, 23).flags & flag::kNull);
    EXPECT_EQ(pbvm::ValueText(field(shown, 23)), "");

    // The window's title shows in its frame.
    target = fieldTarget(window, 1);
    ASSERT_EQ(Op(op::kAssign, context(), target, makeString("Other title"), 0u), 1u);
    releaseTarget(target);
    EXPECT_EQ(runtime().Window("w_calc")->windowTitle(), "Other title");
}

TEST_F(ValueRecords, TargetsThatLeadNowhereRefuseTheValueAndFreeIt) {
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    for (const auto& [object, f] : {std::pair<u32, u32>{window, 500}, {window + 16, 1}, {0, 1}}) {
        const u32 target = fieldTarget(object, f);
        const u32 value = makeString("lost");
        EXPECT_EQ(Op(op::kAssign, context(), target, value, 0u), 0u);
        EXPECT_FALSE(pbvm::LowIsBlock(value));
        EXPECT_EQ(Op(op::kAssignInteger, context(), target, 5u, 0u), 0u);
        releaseTarget(target);
    }
    // A field address out of range gives a null record that keeps nothing.
    PbValue& scratch = field(window, 500);
    EXPECT_TRUE(scratch.flags & flag::kNull);
    scratch = {99, flag::kLong, type::kLong};
    EXPECT_TRUE(field(window + 16, 0).flags & flag::kNull);
    EXPECT_EQ(field(window + 16, 0).value, 0u);
}

TEST_F(ValueRecords, IntegersKeepSixteenBitsAndTheirSign) {
    const u32 c = context();
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 target = fieldTarget(window, kCountField);
    ASSERT_EQ(Op(op::kAssignInteger, c, target, 0x12345u, 0u), 1u);
    releaseTarget(target);
    EXPECT_EQ(field(window, kCountField).value, 0x2345u);
    EXPECT_EQ(field(window, kCountField).type, type::kInteger);
    EXPECT_EQ(field(window, kCountField).flags, flag::kConstant);

    const std::pair<PbValue, std::int32_t> cases[] = {
        {{pbvm::NewString("70000"), flag::kValue, type::kString}, 4464},
        {{pbvm::NewString("-5"), flag::kValue, type::kString}, -5},
        {{65535, flag::kLong, type::kLong}, -1},
        {{static_cast<u32>(-32769), flag::kLong, type::kLong}, 32767},
        {{0x8000, flag::kConstant, type::kInteger}, -32768},
    };
    for (const auto& [value, expected] : cases) {
        u32 r = 0;
        record(r, value);
        const bool wasString = value.type == type::kString;
        ASSERT_EQ(Op(op::kConvertToInteger, c, r, 1u), 1u);
        EXPECT_EQ(at(r).type, type::kInteger);
        EXPECT_EQ(at(r).value, static_cast<u32>(static_cast<u16>(expected)));
        EXPECT_EQ(static_cast<std::int32_t>(Op(op::kIntegerValue, c, r)), expected);
        if (wasString) {
            EXPECT_FALSE(pbvm::LowIsBlock(value.value));  // the text is released
        }
    }
    u32 null = 0;
    record(null, {3, flag::kLong | flag::kNull, type::kLong});
    Op(op::kConvertToInteger, c, null, 1u);
    EXPECT_TRUE(at(null).flags & flag::kNull);
}

TEST_F(ValueRecords, ValuesReadAsTextAndNumbersByTheirType) {
    EXPECT_EQ(pbvm::ValueLong({0xFFFF, flag::kConstant, type::kInteger}), -1);
    EXPECT_EQ(pbvm::ValueLong({0x18000, flag::kConstant, pbvm::type::kFileTypeEnum}), -32768);
    EXPECT_EQ(pbvm::ValueLong({0xFFFFFFFF, flag::kLong, type::kLong}), -1);
    EXPECT_EQ(pbvm::ValueLong({0x10000, flag::kLong, type::kLong}), 65536);
    const u32 s = pbvm::NewString("12abc");
    EXPECT_EQ(pbvm::ValueLong({s, flag::kValue, type::kString}), 12);
    EXPECT_EQ(pbvm::ValueText({s, flag::kValue, type::kString}), "12abc");
    EXPECT_EQ(pbvm::ValueText({s, flag::kValue | flag::kNull, type::kString}), "");
    EXPECT_EQ(pbvm::ValueText({0xFFFE, flag::kConstant, type::kInteger}), "-2");
    EXPECT_EQ(pbvm::ValueText({0, flag::kValue, type::kString}), "");
    pbvm::LowFree(s);
}

TEST_F(ValueRecords, AssignAnyCopiesAStringValue) {
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    u32 source = 0;
    record(source, {makeString("copied"), flag::kValue, type::kString});
    const u32 target = fieldTarget(window, kCountField);
    ASSERT_EQ(Op(op::kAssignAny, context(), target, source, 8u), 1u);
    releaseTarget(target);
    Op(op::kReleaseValue, context(), source);
    EXPECT_EQ(pbvm::ValueText(field(window, kCountField)), "copied");
    EXPECT_TRUE(pbvm::LowIsBlock(field(window, kCountField).value));
}

TEST_F(ValueRecords, GlobalsAreSharedByNameAcrossClasses) {
    const u32 c = context();
    runtime().StartApplication("");
    const u32 app = GroupInstance(c, 1), calc = GroupInstance(c, 2);
    ASSERT_NE(app, 0u);
    ASSERT_NE(calc, 0u);
    const u32 text = Op(op::kGlobalSlot, c, app, kTextSlot);
    EXPECT_EQ(Op(op::kGlobalSlot, c, calc, kTextSlot), text);
    EXPECT_EQ(runtime().GlobalRecord("gs_text"), text);
    EXPECT_NE(Op(op::kGlobalSlot, c, app, kCalcSlot), text);
    EXPECT_EQ(Op(op::kGlobalSlot, c, app, kCalcSlot), Op(op::kGlobalSlot, c, calc, kCalcSlot));
    // A slot the class does not declare, or no group: a null record that is
    // no global.
    const u32 none = Op(op::kGlobalSlot, c, app, 9u);
    EXPECT_TRUE(at(none).flags & flag::kNull);
    EXPECT_NE(none, text);
    EXPECT_TRUE(at(Op(op::kGlobalSlot, c, 0u, kTextSlot)).flags & flag::kNull);
    // The class's own variable.
    const u32 own = Op(op::kGroupVariable, c, app, 0u);
    EXPECT_EQ(own, runtime().GlobalRecord("tp_app"));
    EXPECT_NE(own, text);
}

TEST_F(ValueRecords, AGlobalReferenceAssignsTheGlobal) {
    const u32 c = context();
    runtime().StartApplication("");
    const u32 app = GroupInstance(c, 1);
    u32 argument = 0;
    record(argument);
    ASSERT_EQ(Op(op::kGlobalReference, c, argument, app, kTextSlot), 1u);
    EXPECT_TRUE(at(argument).flags & flag::kByReference);
    const u32 target = at(argument).value;
    ASSERT_NE(target, 0u);
    ASSERT_EQ(Op(op::kAssign, c, target, makeString("by reference"), 0u), 1u);
    releaseTarget(target);
    EXPECT_EQ(pbvm::ValueText(at(runtime().GlobalRecord("gs_text"))), "by reference");
    // A reference to a local record, through a ring of records.
    u32 local = 0;
    record(local);
    const u32 first = Op(op::kByReferenceArgument, c, local, 0x8004u);
    EXPECT_EQ(at(first).value, local);
    EXPECT_EQ(at(first).type, 0x8004);
    EXPECT_TRUE(at(first).flags & flag::kByReference);
    EXPECT_NE(Op(op::kByReferenceArgument, c, local, 0x8004u), first);
}

TEST_F(ValueRecords, StoredObjectsTakeTheirTypeAndGoneObjectsLeaveTheirVariables) {
    const u32 c = context();
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 button = runtime().FieldObject(window, kButtonField);
    const PbValue& variable = at(runtime().GlobalRecord("w_calc"));
    EXPECT_EQ(variable.type, kCalcType);

    u32 target = fieldTarget(window, kCountField);
    ASSERT_EQ(Op(op::kStoreObject, c, target, button, 0u, 0u), 1u);
    releaseTarget(target);
    EXPECT_EQ(field(window, kCountField).value, button);
    EXPECT_EQ(field(window, kCountField).type, kButtonType);
    u32 r = 0;
    record(r, {pbvm::NewString("replaced"), flag::kValue, type::kString});
    const u32 text = at(r).value;
    Op(op::kAssignObject, c, r, window, 0u);
    EXPECT_FALSE(pbvm::LowIsBlock(text));
    EXPECT_EQ(at(r).type, kCalcType);
    Op(op::kAssignObject, c, r, 0x99990u, 1u);
    EXPECT_EQ(at(r).type, type::kClassBase);
    EXPECT_TRUE(at(r).flags & flag::kNull);

    // A part destroyed by a script: its owner's field no longer leads to it.
    ASSERT_EQ(Op(op::kDestroyObject, c, button), 1u);
    EXPECT_FALSE(pbvm::FindObject(button));
    EXPECT_EQ(runtime().FieldObject(window, kButtonField), 0u);
    EXPECT_EQ(Op(op::kDestroyObject, c, button), 0u);
    // A window destroyed: the global that held it holds none.
    runtime().EndApplication();
    EXPECT_EQ(global("w_calc"), 0u);
}

TEST_F(ValueRecords, ArraysGrowKeepTheirElementsAndGoWithTheirField) {
    const u32 c = context();
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 groupId = Half(GroupInstance(c, 2) + 0x10);
    const u32 array = Op(op::kNewArray, c, Word(c + ctx::kArrayPool), groupId | (u32{kButtonType} << 16), 8u, 0x0D00u,
                         0u, 1u, 0u);
    ASSERT_NE(array, 0u);
    EXPECT_EQ(Word(array), 0x52414250u);
    const u32 store = Word(array + 0x14);
    ASSERT_EQ(Op(op::kSetArrayBound, c, store, 2u, 0u), 1u);
    EXPECT_EQ(Word(store), 2u);

    const u32 button = runtime().FieldObject(window, kButtonField);
    const u32 shown = runtime().FieldObject(window, kShownField);
    u32 source = 0;
    record(source);
    for (u32 i = 0; i < 2; ++i) {
        const u32 element = Op(op::kArrayElement, c, store, i, 1u);
        Op(op::kInitArrayElement, c, element, u32{kButtonType}, 0x0D00u);
        EXPECT_EQ(at(element).flags, 0x0D00);
        at(source) = {i == 0 ? button : shown, flag::kValue, i == 0 ? kButtonType : kShownType};
        Op(op::kCopyValue, c, groupId, element, source, 0u);
    }
    // Growing keeps what the elements hold; new elements are empty.
    ASSERT_EQ(Op(op::kSetArrayBound, c, store, 4u, 0u), 1u);
    EXPECT_EQ(at(Op(op::kArrayElement, c, store, 0u, 1u)).value, button);
    EXPECT_EQ(at(Op(op::kArrayElement, c, store, 1u, 1u)).value, shown);
    EXPECT_EQ(at(Op(op::kArrayElement, c, store, 3u, 1u)).type, type::kEmpty);
    // An index past the bound reads a null record outside the elements.
    const u32 past = Op(op::kArrayElement, c, store, 4u, 1u);
    EXPECT_TRUE(at(past).flags & flag::kNull);
    const u32 elements = Word(store + 4);
    EXPECT_FALSE(past >= elements && past < elements + 4 * 8);
    // A string element is a copy of its own.
    at(source) = {pbvm::NewString("text"), flag::kValue, type::kString};
    const u32 third = Op(op::kArrayElement, c, store, 2u, 1u);
    Op(op::kCopyValue, c, groupId, third, source, 0u);
    EXPECT_NE(at(third).value, at(source).value);
    Op(op::kReleaseValue, c, source);
    const u32 text = at(third).value;
    EXPECT_EQ(pbvm::StringAt(text), "text");

    // Into a field: the field holds the array and its element type.
    const u32 target = fieldTarget(window, kCountField);
    ASSERT_EQ(Op(op::kAssignArray, c, target, array, 0u, 0u), 1u);
    releaseTarget(target);
    EXPECT_TRUE(field(window, kCountField).flags & 0x2000);
    EXPECT_EQ(field(window, kCountField).type, kButtonType);
    EXPECT_EQ(pbvm::ArrayObjects(array), (std::vector<u32>{button, shown}));
    // Released with the field: the array, its store, its elements and the
    // texts they held.
    Op(op::kReleaseValue, c, Op(op::kFieldAddress, c, window, kCountField));
    for (u32 block : {array, store, elements, text}) EXPECT_FALSE(pbvm::LowIsBlock(block));
    EXPECT_TRUE(pbvm::FindObject(button));  // objects are not owned by the array
}

TEST_F(ValueRecords, StructureCopiesAreDeepAndEndWithTheCallTheyWerePassedTo) {
    const u32 c = context();
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    const u32 calc = GroupInstance(c, 2);
    const u16 itemType = 0x8007;  // treeviewitem in w_calc's type list
    u32 destination = 0;
    record(destination);
    ASSERT_EQ(Op(op::kCreateObject, c, destination, calc, u32{itemType}), 1u);
    const u32 item = at(destination).value;
    const pbvm::Object* o = pbvm::FindObject(item);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->sysClass, "treeviewitem");
    EXPECT_EQ(at(destination).type, itemType);
    u32 target = fieldTarget(item, 10);
    Op(op::kAssign, c, target, makeString("label"), 0u);
    releaseTarget(target);

    const u32 copy = Op(op::kCopyStructure, c, item);
    ASSERT_NE(copy, 0u);
    ASSERT_NE(copy, item);
    EXPECT_EQ(pbvm::ValueText(field(copy, 10)), "label");
    EXPECT_NE(field(copy, 10).value, field(item, 10).value);
    EXPECT_TRUE(pbvm::FindObject(copy)->temporary);
    // Passed by value to a function of a system object: gone after the call.
    const u32 args = records(2);
    At<PbValue>(args)[0] = {copy, flag::kValue, itemType};
    u32 result = 0;
    record(result);
    Op(op::kCallObjectFunction, runtime().FieldObject(window, kShownField), 0u, 999u, 1u, args, result);
    EXPECT_FALSE(pbvm::FindObject(copy));
    EXPECT_TRUE(pbvm::FindObject(item));
    EXPECT_EQ(pbvm::ValueText(field(item, 10)), "label");
    EXPECT_EQ(Op(op::kCopyStructure, c, 0u), 0u);
    // A type the class does not list creates nothing.
    EXPECT_EQ(Op(op::kCreateObject, c, destination, calc, 0x8050u), 0u);
}

TEST_F(ValueRecords, ControlsAreCreatedOnlyForTheClassesOwnParts) {
    const u32 c = context();
    const u32 window = openCalc();
    ASSERT_NE(window, 0u);
    u32 destination = 0;
    record(destination, {0, flag::kValue | flag::kNull, 0});
    const u32 unknown = LowText("cb_missing"), self = LowText("w_calc");
    EXPECT_EQ(Op(op::kCreateChildControl, c, destination, window, unknown), 0xFFFFFFFFu);
    EXPECT_EQ(Op(op::kCreateChildControl, c, destination, window, self), 0xFFFFFFFFu);  // not a part
    EXPECT_EQ(Op(op::kCreateChildControl, c, destination, 0x5550u, unknown), 0xFFFFFFFFu);
    EXPECT_TRUE(at(destination).flags & flag::kNull);
    pbvm::LowFree(unknown);
    pbvm::LowFree(self);
}

}  // namespace
