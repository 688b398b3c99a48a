#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "app_object.h"
#include "program_hooks.h"
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

// PATH holds only a folder of the test's own for the life of the object.
class PathOf {
public:
    explicit PathOf(const std::string& dir) : saved_(getenv("PATH") ? getenv("PATH") : "") {
        setenv("PATH", dir.c_str(), 1);
    }
    ~PathOf() { setenv("PATH", saved_.c_str(), 1); }

private:
    std::string saved_;
};

TEST(Shell, NotepadHandsTheFullPathToTheDesktopViewer) {
    TempFolder dir;
    PathOf path(dir.path());
    // A stand-in for the desktop's handler: writes its arguments, one a line
    // (with shell built-ins only: PATH holds nothing else).
    dir.write("xdg-open", "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$0.args\"\n", true);
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(ResolveShellCommand("NOTEPAD.EXE report1.txt"),
              (std::vector<std::string>{dir / "xdg-open", here + "/report1.txt"}));
    double pid = Shell("notepad report1.txt", vbNormalFocus);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(ends(pid));
    EXPECT_EQ(dir.read("xdg-open.args"), here + "/report1.txt\n");
    // The rest of the line is one file name, blanks and all; full paths stay.
    EXPECT_EQ(ResolveShellCommand("notepad  \"my report.txt\" "),
              (std::vector<std::string>{dir / "xdg-open", here + "/my report.txt"}));
    EXPECT_EQ(ResolveShellCommand("notepad sub/../tblPO2.txt"),
              (std::vector<std::string>{dir / "xdg-open", here + "/tblPO2.txt"}));
    EXPECT_EQ(ResolveShellCommand("notepad /tmp/a b.txt"),
              (std::vector<std::string>{dir / "xdg-open", "/tmp/a b.txt"}));
}

TEST(Shell, NotepadWithoutADesktopViewerUsesTheProgramsOwn) {
    TempFolder dir;
    PathOf path(dir.path());  // nothing in it
    setenv("EDITOR", "/bin/true", 1);  // a terminal editor is no viewer
    std::vector<std::string> shown;
    bool canShow = true;
    SetTextViewerHook([&](const std::string& file) {
        shown.push_back(file);
        return canShow;
    });
    EXPECT_TRUE(ResolveShellCommand("notepad report1.txt").empty());
    EXPECT_EQ(Shell("notepad report1.txt", vbNormalFocus), static_cast<double>(getpid()));
    EXPECT_EQ(shown, std::vector<std::string>{std::filesystem::current_path().string() + "/report1.txt"});

    // A file the viewer cannot read, or no file at all, is a file not found.
    canShow = false;
    EXPECT_EQ(ErrorNumber([] { Shell("notepad missing.txt", vbNormalFocus); }), 53);
    EXPECT_EQ(ErrorNumber([] { Shell("notepad   ", vbNormalFocus); }), 53);
    EXPECT_EQ(shown.size(), 2u);

    // Without a viewer of the program's own (no forms): as a missing program.
    SetTextViewerHook(nullptr);
    EXPECT_EQ(ErrorNumber([] { Shell("notepad report1.txt", vbNormalFocus); }), 53);
    unsetenv("EDITOR");
}
