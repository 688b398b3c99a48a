#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "app_object.h"
#include "dir_search.h"
#include "error_number.h"
#include "shell_program.h"
#include "temp_folder.h"

using namespace vb;

namespace {
std::vector<std::string> allOf(const std::string& pattern) {
    std::vector<std::string> names;
    for (std::string n = Dir(pattern); !n.empty(); n = Dir()) names.push_back(n);
    return names;
}

// Waits until `path` exists (a started program writes it).
bool appears(const std::string& path) {
    for (int i = 0; i < 200; ++i) {
        if (access(path.c_str(), F_OK) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}
}  // namespace

TEST(Dir, ExistenceAndWildcards) {
    TempFolder dir;
    for (const char* name : {"orvanta.mdb", "Tips.txt", "notes.TXT", "b.txt", "ab.txt"}) dir.write(name, "x");
    std::filesystem::create_directory(dir / "sub.txt");  // folders are not listed

    EXPECT_EQ(Dir(dir / "orvanta.mdb"), "orvanta.mdb");
    EXPECT_EQ(Dir(dir / "missing.mdb"), "");
    EXPECT_EQ(Dir(dir / "sub.txt"), "");
    EXPECT_EQ(Dir(dir / "nofolder/orvanta.mdb"), "");
    EXPECT_EQ(Dir(dir / "ORVANTA.MDB"), "orvanta.mdb");  // found under its own spelling
    EXPECT_EQ(allOf(dir / "*.txt"), (std::vector<std::string>{"ab.txt", "b.txt", "notes.TXT", "Tips.txt"}));
    EXPECT_EQ(allOf(dir / "?.txt"), (std::vector<std::string>{"b.txt"}));
    EXPECT_EQ(allOf(dir / "*B.*"), (std::vector<std::string>{"ab.txt", "b.txt"}));
    EXPECT_EQ(allOf(dir / "*.*").size(), 5u);
    EXPECT_EQ(allOf(dir.path() + "/").size(), 5u);
    EXPECT_EQ(allOf(dir / "*.doc"), std::vector<std::string>{});
}

TEST(Dir, BadNamesAndExhaustedSearches) {
    TempFolder dir;
    dir.write("one.txt", "x");
    EXPECT_EQ(Dir(dir / "*.txt"), "one.txt");
    EXPECT_EQ(Dir(), "");
    EXPECT_EQ(ErrorNumber([] { Dir(); }), 52);  // nothing pending any more
    EXPECT_EQ(ErrorNumber([] { Dir(""); }), 52);
    EXPECT_EQ(ErrorNumber([&] { Dir(std::string("a\0b", 3)); }), 52);
}

TEST(Dir, ExeNamesFindTheNativeProgram) {
    TempFolder dir;
    dir.write("StockwiseC", "#!/bin/sh\n", true);
    dir.write("readme", "not a program");
    EXPECT_EQ(Dir(dir / "StockwiseC.exe"), "StockwiseC.exe");
    EXPECT_EQ(Dir(dir / "stockwisec.EXE"), "stockwisec.EXE");
    EXPECT_EQ(Dir(dir / "StockwiseB.exe"), "");
    EXPECT_EQ(Dir(dir / "readme.exe"), "");  // only programs stand in for .exe names
}

TEST(Shell, StartsProgramsWithoutWaiting) {
    TempFolder dir;
    dir.write("slow prog", "#!/bin/sh\nsleep 0.3\nprintf '%s|' \"$@\" > \"$0.out\"\n", true);
    auto started = std::chrono::steady_clock::now();
    double pid = Shell("\"" + (dir / "slow prog") + "\" one \"two words\"", vbNormalFocus);
    EXPECT_GT(pid, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(250));
    ASSERT_TRUE(appears(dir / "slow prog.out"));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(dir.read("slow prog.out"), "one|two words|");
    // Detached: it is not our child, so nothing is left for us to reap.
    EXPECT_EQ(waitpid(static_cast<pid_t>(pid), nullptr, WNOHANG), -1);
    EXPECT_GT(Shell("/bin/true", vbHide), 0);
}

TEST(Shell, ResolvesExeNamesAndTheProgramFolder) {
    TempFolder dir;
    dir.write("StockwiseC", "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n", true);
    App().SetPathForTesting(dir.path());
    EXPECT_EQ(ResolveShellCommand("StockwiseC.exe"), std::vector<std::string>{dir / "StockwiseC"});
    EXPECT_GT(Shell("StockwiseC.exe", vbNormalFocus), 0);
    EXPECT_TRUE(appears(dir / "ran"));
    App().SetPathForTesting("");
}

TEST(Shell, MissingProgramsAndBadStyles) {
    EXPECT_EQ(ErrorNumber([] { Shell("no-such-program-here.exe", vbNormalFocus); }), 53);
    EXPECT_EQ(ErrorNumber([] { Shell("/no/such/folder/prog", vbNormalFocus); }), 53);
    EXPECT_EQ(ErrorNumber([] { Shell("", vbNormalFocus); }), 53);
    EXPECT_EQ(ErrorNumber([] { Shell("/etc/hostname", vbNormalFocus); }), 53);  // not a program
    EXPECT_EQ(ErrorNumber([] { Shell("/bin/true", 9); }), 5);
}

TEST(Shell, NotepadIsTheDesktopViewerOrFailsLikeAMissingProgram) {
    TempFolder dir;
    std::string savedPath = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", dir.path().c_str(), 1);
    unsetenv("VISUAL");
    unsetenv("EDITOR");
    EXPECT_EQ(ErrorNumber([] { Shell("notepad report1.txt", vbNormalFocus); }), 53);
    dir.write("xdg-open", "#!/bin/sh\n", true);
    EXPECT_EQ(ResolveShellCommand("NOTEPAD.EXE report1.txt"),
              (std::vector<std::string>{dir / "xdg-open", "report1.txt"}));
    setenv("PATH", savedPath.c_str(), 1);
}
