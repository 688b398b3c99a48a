#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

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

// Waits until the started program `pid` has ended. The program is detached
// (not our child), so the wait is on a process handle, not waitpid. The bound
// is only there to turn a hang into a failure.
bool ends(double pid) {
    int fd = static_cast<int>(syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
    if (fd < 0) return errno == ESRCH;  // already gone
    pollfd exited{fd, POLLIN, 0};
    int ready;
    while ((ready = poll(&exited, 1, 60'000)) < 0 && errno == EINTR) {}
    close(fd);
    return ready == 1;
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
    // The program runs on only once the test lets it (or gives up after a
    // minute, which is what a Shell that waited for it would see), then writes
    // what it saw and its arguments.
    dir.write("gated prog",
              "#!/bin/sh\n"
              "n=0\n"
              "while [ ! -e \"$0.go\" ] && [ $n -lt 6000 ]; do sleep 0.01; n=$((n+1)); done\n"
              "if [ -e \"$0.go\" ]; then seen=released; else seen=gave-up; fi\n"
              "printf '%s|' \"$seen\" \"$@\" > \"$0.out\"\n",
              true);
    double pid = Shell("\"" + (dir / "gated prog") + "\" one \"two words\"", vbNormalFocus);
    ASSERT_GT(pid, 0);
    // Shell has returned while the program still waits for the test.
    EXPECT_FALSE(std::filesystem::exists(dir / "gated prog.out"));
    dir.write("gated prog.go", "");
    ASSERT_TRUE(ends(pid));
    EXPECT_EQ(dir.read("gated prog.out"), "released|one|two words|");
    // Detached: it is not our child, so nothing is left for us to reap.
    EXPECT_EQ(waitpid(static_cast<pid_t>(pid), nullptr, WNOHANG), -1);
    EXPECT_GT(Shell("/bin/true", vbHide), 0);
}

TEST(Shell, ResolvesExeNamesAndTheProgramFolder) {
    TempFolder dir;
    dir.write("StockwiseC", "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n", true);
    App().SetPathForTesting(dir.path());
    EXPECT_EQ(ResolveShellCommand("StockwiseC.exe"), std::vector<std::string>{dir / "StockwiseC"});
    double pid = Shell("StockwiseC.exe", vbNormalFocus);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(ends(pid));
    EXPECT_TRUE(std::filesystem::exists(dir / "ran"));
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
