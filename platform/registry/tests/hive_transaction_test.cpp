// Many changes of a hive written as one, and what writers that died leave.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "err.h"
#include "hive_store.h"
#include "registry.h"
#include "temp_registry.h"

using namespace reg;

namespace {

constexpr const char* kServer = "CLSID\\{4B27E760}\\InprocServer32";

std::optional<std::string> ServerOnAnotherThread() {
    return std::async(std::launch::async, [] {
               auto v = QueryValue(Hive::ClassesRoot, kServer, "");
               return v ? std::optional<std::string>(v->data) : std::nullopt;
           })
        .get();
}

// A process that has ended and been reaped: its pid runs nothing.
pid_t DeadPid() {
    const pid_t pid = fork();
    if (pid == 0) _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

}  // namespace

using HiveTransactions = TempRegistry;

TEST_F(HiveTransactions, OthersSeeTheHiveBeforeOrAfterAllTheChangesNeverBetween) {
    SetText(Hive::ClassesRoot, kServer, "", "/old/zevote32.ocx");
    const std::string before = ReadFile(HiveFilePath(Hive::ClassesRoot));
    {
        HiveTransaction transaction(Hive::ClassesRoot);
        ASSERT_TRUE(DeleteKey(Hive::ClassesRoot, "CLSID\\{4B27E760}"));
        // This thread sees its own changes; everyone else the file as it was.
        EXPECT_FALSE(KeyExists(Hive::ClassesRoot, "CLSID\\{4B27E760}"));
        EXPECT_EQ(ServerOnAnotherThread(), "/old/zevote32.ocx");
        SetText(Hive::ClassesRoot, kServer, "", "/new/zevote32.ocx");
        SetText(Hive::ClassesRoot, kServer, "ThreadingModel", "Apartment");
        EXPECT_EQ(ReadFile(HiveFilePath(Hive::ClassesRoot)), before);

        // A writer of another thread waits for the transaction and keeps its change.
        auto writer = std::async(std::launch::async, [] { SetText(Hive::ClassesRoot, "Other", "", "kept"); });
        EXPECT_EQ(writer.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
        transaction.Commit();
        writer.get();
    }
    EXPECT_EQ(ServerOnAnotherThread(), "/new/zevote32.ocx");
    EXPECT_EQ(QueryValue(Hive::ClassesRoot, kServer, "ThreadingModel")->data, "Apartment");
    EXPECT_EQ(QueryValue(Hive::ClassesRoot, "Other", "")->data, "kept");
}

TEST_F(HiveTransactions, OnlyTheOutermostCommitWritesAndNoCommitWritesNothing) {
    SetText(Hive::ClassesRoot, kServer, "", "/old/zevote32.ocx");
    const std::string before = ReadFile(HiveFilePath(Hive::ClassesRoot));
    {
        HiveTransaction dropped(Hive::ClassesRoot);
        DeleteKey(Hive::ClassesRoot, "CLSID");
        SetText(Hive::ClassesRoot, "Half", "", "written");
    }
    EXPECT_EQ(ReadFile(HiveFilePath(Hive::ClassesRoot)), before);

    {
        HiveTransaction outer(Hive::ClassesRoot);
        SetText(Hive::ClassesRoot, "Outer", "", "1");
        {
            HiveTransaction inner(Hive::ClassesRoot);  // joins: no second lock, no write of its own
            SetText(Hive::ClassesRoot, "Inner", "", "2");
            inner.Commit();
        }
        EXPECT_EQ(ReadFile(HiveFilePath(Hive::ClassesRoot)), before);
        EXPECT_TRUE(KeyExists(Hive::ClassesRoot, "Inner"));
        // Other hives are not part of it.
        SetText(Hive::CurrentUser, "Software", "", "at once");
        EXPECT_TRUE(std::filesystem::exists(HiveFilePath(Hive::CurrentUser)));
        outer.Commit();
    }
    EXPECT_EQ(QueryValue(Hive::ClassesRoot, "Outer", "")->data, "1");
    EXPECT_EQ(QueryValue(Hive::ClassesRoot, "Inner", "")->data, "2");
    EXPECT_TRUE(KeyExists(Hive::ClassesRoot, kServer));
}

TEST_F(HiveTransactions, ADamagedHiveCannotBeOpenedAndStaysAsItIs) {
    const std::string path = HiveFilePath(Hive::ClassesRoot);
    WriteFile(path, "#orvanta-registry 1 HKEY_CLASSES_ROOT\n[CLSID\n");
    try {
        HiveTransaction transaction(Hive::ClassesRoot);
        ADD_FAILURE() << "opened over a damaged hive";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 321);
    }
    EXPECT_EQ(ReadFile(path), "#orvanta-registry 1 HKEY_CLASSES_ROOT\n[CLSID\n");
    // The lock was given back: a writer of another hive and of this one get on.
    SetText(Hive::CurrentUser, "Software", "", "x");
    EXPECT_THROW(SetText(Hive::ClassesRoot, "CLSID", "", "x"), vb::VBError);
}

TEST_F(HiveTransactions, TemporaryFilesOfWritersThatDiedAreRemovedByTheNextWriter) {
    const std::string hive = HiveFilePath(Hive::ClassesRoot);
    const pid_t dead = DeadPid();
    // A writer that still runs, in the middle of its write.
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    const pid_t live = fork();
    if (live == 0) {
        char c;
        close(gate[1]);
        (void)!read(gate[0], &c, 1);
        _exit(0);
    }
    close(gate[0]);
    const std::string deadTemp = hive + ".tmp." + std::to_string(dead) + ".0";
    const std::string deadTemp2 = hive + ".tmp." + std::to_string(dead) + ".17";
    const std::string liveTemp = hive + ".tmp." + std::to_string(live) + ".3";
    const std::string notATemp = hive + ".tmp.backup";
    for (const std::string& f : {deadTemp, deadTemp2, liveTemp, notATemp}) WriteFile(f, std::string(4096, 'x'));

    EXPECT_TRUE(std::filesystem::exists(deadTemp));  // readers leave them alone
    KeyExists(Hive::ClassesRoot, "CLSID");
    EXPECT_TRUE(std::filesystem::exists(deadTemp));

    SetText(Hive::ClassesRoot, "CLSID", "", "written");
    EXPECT_FALSE(std::filesystem::exists(deadTemp));
    EXPECT_FALSE(std::filesystem::exists(deadTemp2));
    EXPECT_TRUE(std::filesystem::exists(liveTemp));
    EXPECT_TRUE(std::filesystem::exists(notATemp));
    EXPECT_EQ(QueryValue(Hive::ClassesRoot, "CLSID", "")->data, "written");

    close(gate[1]);
    waitpid(live, nullptr, 0);
    {
        HiveTransaction transaction(Hive::ClassesRoot);  // a transaction is a writer too
        transaction.Commit();
    }
    EXPECT_FALSE(std::filesystem::exists(liveTemp));
}
