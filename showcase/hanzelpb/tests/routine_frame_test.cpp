// The frame of generated routines: the value-stack top at calls, the group
// instance at entry, and the context restored on every way out.
#include <gtest/gtest.h>

#include "class_routines.h"
#include "hanzel_runtime.h"
#include "routine.h"

namespace {

using namespace hanzel;
namespace ctx = pbvm::ctx;

struct Seen {
    u32 top = 0, argc = 0, args = 0;
    u16 typeAfter = 0xFFFF;
    u32 answer = 1;
    bool setErrorFlag = false;
} g_seen;

// Stands in for a system function: records what the call left in the context.
u32 spy(u32 context, u32 argc) {
    g_seen.top = pbvm::Word(context + ctx::kStackTop);
    g_seen.argc = argc;
    g_seen.args = pbvm::Word(context + ctx::kArgs);
    g_seen.typeAfter = pbvm::At<PbValue>(g_seen.args)[argc].type;
    if (g_seen.setErrorFlag) pbvm::Word(context + ctx::kErrorFlag) = 1;
    return g_seen.answer;
}

class RoutineFrame : public ::testing::Test {
protected:
    void SetUp() override {
        test::LoadRuntime();
        c_ = pbvm::Runtime::Get().Context();
        u32 holder = vmSystemFunctions(c_);
        table_ = pbvm::Word(holder + 8);
        g_seen = Seen{};
    }
    // Points a system-function entry at the spy until the test ends.
    void spyOn(u32 entry) {
        saved_.emplace_back(entry, pbvm::Word(table_ + entry));
        pbvm::Word(table_ + entry) = pbvm::Low(reinterpret_cast<const void*>(&spy));
    }
    void TearDown() override {
        for (auto& [entry, value] : saved_) pbvm::Word(table_ + entry) = value;
        pbvm::Word(c_ + ctx::kErrorFlag) = 0;
    }
    struct Snapshot {
        u32 depth, frame, args, instance, free;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const {
        return {pbvm::Word(c_ + ctx::kDepth), pbvm::Word(c_ + ctx::kFrameLink), pbvm::Word(c_ + ctx::kArgs),
                pbvm::Word(c_ + ctx::kGroupInstance), pbvm::Word(c_ + ctx::kValueStackFree)};
    }
    u32 appGroup() const { return static_cast<u32>(pbvm::Runtime::Get().GroupOf("pbapplet32")); }

    u32 c_ = 0, table_ = 0;
    std::vector<std::pair<u32, u32>> saved_;
};

TEST_F(RoutineFrame, FourArgumentsAfterThreeLocalsSetTheTopTo7AndClearRecord7) {
    spyOn(pbvm::sysfn::kProfileString);
    Routine r(c_, appGroup(), 9, "test");
    for (unsigned i = 0; i < 3; ++i) r.declareLocal(i, pbvm::type::kLong);
    for (unsigned i = 3; i < 7; ++i) r.val(i) = {static_cast<u32>(i), pbvm::flag::kConstant, pbvm::type::kLong};
    r.val(7).type = 0x55;
    u32 result = r.run([&] { r.systemCall(pbvm::sysfn::kProfileString, 3, 4); });
    EXPECT_EQ(result, 1u);
    EXPECT_EQ(g_seen.top, 7u);
    EXPECT_EQ(g_seen.argc, 4u);
    EXPECT_EQ(g_seen.typeAfter, 0);
    EXPECT_EQ(g_seen.args, r.rec(3));
}

TEST_F(RoutineFrame, OpenFromTheFirstFreeRecordAndAfterTwoLocals) {
    spyOn(pbvm::sysfn::kOpen);
    {
        Routine r(c_, appGroup(), 3, "test");
        r.run([&] { r.openWindow(30, 1); });
        EXPECT_EQ(g_seen.top, 2u);
        EXPECT_EQ(g_seen.args, r.rec(1));
    }
    {
        Routine r(c_, appGroup(), 4, "test");
        r.declareLocal(0, pbvm::type::kString);
        r.declareLocal(1, pbvm::type::kLong);
        r.run([&] { r.openWindow(30, 2); });
        EXPECT_EQ(g_seen.top, 3u);
        EXPECT_EQ(g_seen.typeAfter, 0);
    }
}

TEST_F(RoutineFrame, GroupInstanceIsNullForAnEmptyEntryAnUnknownGroupOrAnIndexPastTheTable) {
    {
        Routine r(c_, appGroup(), 1, "test");
        EXPECT_NE(r.instance(), 0u);
        EXPECT_EQ(pbvm::Word(c_ + ctx::kGroupInstance), r.instance());
        r.run([] {});
    }
    const u32 stack = pbvm::Word(c_ + ctx::kRoutineStack);
    const u32 stride = pbvm::Word(stack + pbvm::kRoutineStackStride);
    const u32 unused = 40;  // a group number no class has
    EXPECT_EQ(pbvm::Half(pbvm::Word(stack) + stride * unused), 0xFFFF);
    {
        Routine r(c_, unused, 1, "test");
        EXPECT_EQ(r.instance(), 0u);
        r.run([] {});
    }
    {
        Routine r(c_, 0xFFFFFFFFu, 1, "test");  // a class never registered
        EXPECT_EQ(r.instance(), 0u);
        r.run([] {});
    }
    pbvm::Half(pbvm::Word(stack) + stride * unused) = 50;  // past the instance table
    {
        Routine r(c_, unused, 1, "test");
        EXPECT_EQ(r.instance(), 0u);
        r.run([] {});
    }
    pbvm::Half(pbvm::Word(stack) + stride * unused) = 0xFFFF;
}

TEST_F(RoutineFrame, EveryExitPathRestoresTheContext) {
    spyOn(pbvm::sysfn::kString);
    pbvm::Word(c_ + ctx::kArgs) = 0x1234;
    const Snapshot before = snapshot();
    auto routine = [&](auto body) {
        Routine r(c_, appGroup(), 4, "test");
        EXPECT_EQ(pbvm::Word(c_ + ctx::kDepth), before.depth + 1);
        EXPECT_EQ(pbvm::Word(c_ + ctx::kFrameLink), r.rec(0));
        return r.run([&] { body(r); });
    };
    EXPECT_EQ(routine([](Routine& r) { r.returnNormal(); }), 1u);
    EXPECT_EQ(snapshot(), before);

    g_seen.answer = 0;  // a system function that fails
    EXPECT_EQ(routine([](Routine& r) {
                  r.val(0) = {5, pbvm::flag::kConstant, pbvm::type::kLong};
                  r.systemCall(pbvm::sysfn::kString, 0, 1);
                  ADD_FAILURE() << "the script went on after a failed call";
              }),
              0u);
    EXPECT_EQ(snapshot(), before);

    g_seen.answer = 1;  // one that sets the error flag
    g_seen.setErrorFlag = true;
    EXPECT_EQ(routine([](Routine& r) {
                  r.val(0) = {5, pbvm::flag::kConstant, pbvm::type::kLong};
                  r.systemCall(pbvm::sysfn::kString, 0, 1);
              }),
              0u);
    EXPECT_EQ(snapshot(), before);
    pbvm::Word(c_ + ctx::kErrorFlag) = 0;

    pbvm::Runtime::Get().SetNullObjectErrorAnswer(0);  // a null object stops
    EXPECT_EQ(routine([](Routine& r) { r.readScalar({0, pbvm::flag::kValue, 0x8001}, 8, 1, 10); }), 0u);
    EXPECT_EQ(snapshot(), before);

    pbvm::Runtime::Get().SetNullObjectErrorAnswer(1);  // or is skipped
    EXPECT_EQ(routine([](Routine& r) {
                  PbValue v = r.readScalar({0, pbvm::flag::kNull, 0x8001}, 8, 1, 10);
                  EXPECT_TRUE(v.flags & pbvm::flag::kNull);
                  r.returnNormal();
              }),
              1u);
    pbvm::Runtime::Get().SetNullObjectErrorAnswer(0);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(pbvm::Runtime::Get().NullObjectErrors().back(), 0x5016u);
}

TEST_F(RoutineFrame, StringLocalsAreUnwoundOnTheWayOut) {
    u32 freed = 0;
    static u32* seen = nullptr;
    seen = &freed;
    struct Unwind {
        static u32 record(u32, u32 address) {
            *seen = address;
            return 1;
        }
    };
    test::ImportOverride unwind(kUnwind, reinterpret_cast<void*>(&Unwind::record));
    u32 local = 0;
    {
        Routine r(c_, appGroup(), 2, "test");
        r.declareLocal(0, pbvm::type::kString);
        r.unwindAtExit(r.rec(0));
        local = r.rec(0);
        r.run([&] { r.stop(); });
    }
    EXPECT_EQ(freed, local);
}

}  // namespace
