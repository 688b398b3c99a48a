// The application object pbapplet32: global objects, the connection from
// "tavorin.ini", the start window.
#include "class_routines.h"
#include "routine.h"

namespace hanzel {

namespace {

const char kSource[] = "C:\\TEMP\\pbhanzel.c";
u32 g_group = 0xFFFFFFFFu;
pbvm::FunctionRecord g_functions[5];
pbvm::TypeRecord g_types[2];
pbvm::ClassHolder g_holder;

constexpr u16 kApplication = 0x8009;
constexpr u32 kMessage = 24, kSqlca = 25, kSqlda = 26, kSqlsa = 27, kError = 28, kMainWindow = 30;

// Fields of the transaction object.
constexpr u16 kDbms = 1, kDatabase = 2, kUserId = 3, kDbPass = 4, kLogId = 5, kLogPass = 6, kServerName = 7,
              kSqlCode = 8, kSqlDbCode = 10, kSqlErrText = 11, kLock = 12, kDbParm = 14;

}  // namespace

u32 fn_1_32777_0(u32 context, u32) {
    Routine r(context, g_group, 4, kSource);
    return r.run([&] {
        // Temporaries: 0 target, 1 object, 2 value, 3 new object.
        r.assignText(r.thisValue(kApplication), 0, "pbapplet32", 0, 2, 1, 1100);
        const struct {
            u32 slot;
            u16 type;
        } globals[] = {{kMessage, 0x8005}, {kSqlca, 0x8001}, {kSqlda, 0x8002}, {kSqlsa, 0x8003}, {kError, 0x8004}};
        for (const auto& g : globals) {
            u32 variable = vmGlobalSlot(context, r.instance(), g.slot);
            if (vmCreateObject(context, r.rec(3), r.instance(), g.type) == 0) r.stop();
            vmAssignObject(context, variable, r.val(3).value, r.val(3).flags & pbvm::flag::kNull);
        }
        r.returnNormal();
    });
}

u32 fn_1_32777_1(u32 context, u32) {
    Routine r(context, g_group, 2, kSource);
    return r.run([&] {
        for (u32 slot : {kSqlca, kSqlda, kSqlsa, kError, kMessage}) {
            PbValue v = r.global(slot);
            if ((v.flags & pbvm::flag::kNull) || v.value == 0) continue;
            if (vmDestroyObject(context, v.value) == 0) r.stop();
        }
        r.returnNormal();
    });
}

u32 fn_1_32777_21(u32 context, u32) {
    // Records: 0 target, 1 object, 2 value, 3-6 arguments, 7 after them.
    Routine r(context, g_group, 9, kSource);
    r.unwindAtExit(r.ownArgument(0));  // commandline
    return r.run([&] {
        const struct {
            const char* key;
            u16 field;
        } settings[] = {{"DBMS", kDbms},         {"DataBase", kDatabase},       {"LogID", kLogId},
                        {"LogPassword", kLogPass}, {"ServerName", kServerName}, {"UserID", kUserId},
                        {"DatabasePassword", kDbPass}, {"Lock", kLock},         {"DbParm", kDbParm}};
        for (const auto& s : settings) {
            const u32 target = r.beginAssign(r.global(kSqlca), s.field, 0, 1, 1200);
            r.stringArgument(3, "tavorin.ini");
            r.stringArgument(4, "Database");
            r.stringArgument(5, s.key);
            r.stringArgument(6, " ");
            const PbValue* result = r.trySystemCall(pbvm::sysfn::kProfileString, 3, 4);
            r.releaseArguments(3, 4);
            if (!result) {
                if (target) r.releaseTarget(target);
                r.stop();
            }
            r.val(2) = {vmCopyString(context, pbvm::Low(result)), pbvm::flag::kValue,
                        static_cast<u16>(pbvm::type::kString)};
            const bool null = result->flags & pbvm::flag::kNull;
            if (target) r.endAssign(target, r.val(2).value, null, 2, 1);
            else vmFreeString(context, r.val(2).value);
        }

        auto connect = [&] {
            r.field(pbvm::ctx::kGroupInstance) = r.instance();
            if (vmConnect(context, r.global(kSqlca).value) == 0) r.stop();
        };
        auto failed = [&](u32 line) {
            PbValue code = r.readScalar(r.global(kSqlca), kSqlCode, 1, line);
            return !(code.flags & pbvm::flag::kNull) && static_cast<std::int32_t>(code.value) == -1;
        };
        connect();
        if (failed(1255)) {
            connect();
            if (failed(1302)) {
                // String(sqldbcode) + " - " + sqlerrtext + "\n\nDBMS=" + dbms + "\nDBPARM=" + dbparm
                PbValue code = r.readScalar(r.global(kSqlca), kSqlDbCode, 1, 1366);
                r.val(3) = {code.value, static_cast<u16>(pbvm::flag::kLong | (code.flags & pbvm::flag::kNull)),
                            pbvm::type::kLong};
                const PbValue& text = r.systemCall(pbvm::sysfn::kString, 3, 1);
                bool null = text.flags & pbvm::flag::kNull;
                u32 left = vmCopyString(context, pbvm::Low(&text));
                left = r.concat(left, null, pbvm::Low(" - "), false);
                bool partNull = false;
                u32 part = r.readString(r.global(kSqlca), kSqlErrText, 1, 1366, partNull);
                left = r.concat(left, null, part, partNull);
                vmFreeString(context, part);
                left = r.concat(left, null, pbvm::Low("\n\nDBMS="), false);
                part = r.readString(r.global(kSqlca), kDbms, 1, 1435, partNull);
                left = r.concat(left, null, part, partNull);
                vmFreeString(context, part);
                left = r.concat(left, null, pbvm::Low("\nDBPARM="), false);
                part = r.readString(r.global(kSqlca), kDbParm, 1, 1504, partNull);
                left = r.concat(left, null, part, partNull);
                vmFreeString(context, part);

                r.stringArgument(3, "Tavorin DSN DB Error");
                r.val(4) = {left, static_cast<u16>(pbvm::flag::kValue | (null ? pbvm::flag::kNull : 0)),
                            pbvm::type::kString};
                r.val(5) = {1, pbvm::flag::kConstant, pbvm::type::kIconEnum};
                // The application ends even when the message cannot be shown.
                r.trySystemCall(pbvm::sysfn::kMessageBox, 3, 3);
                r.releaseArguments(3, 2);
                r.halt();
            }
        }
        r.val(3) = {0, pbvm::flag::kConstant, pbvm::type::kLong};
        r.systemCall(pbvm::sysfn::kSleep, 3, 1);
        r.openWindow(kMainWindow, 3);
        r.returnNormal();
    });
}

u32 fn_1_32777_19(u32 context, u32) {
    Routine r(context, g_group, 2, kSource);
    return r.run([&] {
        r.field(pbvm::ctx::kGroupInstance) = r.instance();
        if (vmDisconnect(context, r.global(kSqlca).value) == 0) r.stop();
        r.returnNormal();
    });
}

u32 getVtableInfo_pbapplet32(u32 context, u32, u32 holderOut) {
    return RegisterClassTables(context, holderOut, g_group, g_holder);
}

ClassTablesView PbApplet32Tables() { return {&g_holder, &g_group}; }

namespace {
const bool g_filled = [] {
    FillClassTables(g_functions, g_types, g_holder,
                    {{32777, {{0, fn_1_32777_0}, {1, fn_1_32777_1}, {21, fn_1_32777_21}, {19, fn_1_32777_19}}}});
    return true;
}();
}  // namespace

}  // namespace hanzel
