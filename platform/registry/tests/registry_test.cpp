#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "err.h"
#include "hive_store.h"
#include "registry.h"
#include "temp_registry.h"

using namespace reg;

namespace {

int ErrorNumber(const std::function<void()>& f, std::string* description = nullptr) {
    try {
        f();
    } catch (const vb::VBError& e) {
        if (description) *description = e.description();
        return e.number();
    }
    return 0;
}

// Runs `body` in a child process; its exit status is 0 when it returned
// true and nothing was thrown.
pid_t Spawn(const std::function<bool()>& body) {
    pid_t pid = fork();
    if (pid == 0) {
        bool ok = false;
        try {
            ok = body();
        } catch (...) {
        }
        _exit(ok ? 0 : 1);
    }
    return pid;
}

bool ExitedCleanly(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

using RegistryKeys = TempRegistry;

TEST_F(RegistryKeys, CreateOpenIgnoringCaseKeepingCase) {
    EXPECT_FALSE(KeyExists(Hive::ClassesRoot, "CLSID\\{4B27E760}"));
    EXPECT_TRUE(CreateKey(Hive::ClassesRoot, "CLSID\\{4B27E760}\\InprocServer32"));
    EXPECT_FALSE(CreateKey(Hive::ClassesRoot, "clsid\\{4b27e760}\\INPROCSERVER32\\"));
    EXPECT_TRUE(KeyExists(Hive::ClassesRoot, "clsid\\{4b27e760}"));
    EXPECT_TRUE(KeyExists(Hive::ClassesRoot, ""));
    EXPECT_EQ(SubKeyNames(Hive::ClassesRoot, "clsid"), std::vector<std::string>{"{4B27E760}"});
    // Hives are separate.
    EXPECT_FALSE(KeyExists(Hive::CurrentUser, "CLSID"));
    EXPECT_FALSE(KeyExists(Hive::LocalMachine, "CLSID"));
}

TEST_F(RegistryKeys, NamesBeyondAsciiIgnoreCaseToo) {
    EXPECT_TRUE(CreateKey(Hive::CurrentUser, "Software\\Öl & Wärme\\ΣΟΦΟΣ"));
    EXPECT_TRUE(KeyExists(Hive::CurrentUser, "software\\öL & wÄRME\\σοφος"));  // final sigma too
    EXPECT_FALSE(KeyExists(Hive::CurrentUser, "software\\Ol & Warme"));
    SetText(Hive::CurrentUser, "Software\\Öl & Wärme", "Straße", "1");
    SetText(Hive::CurrentUser, "SOFTWARE\\ÖL & WÄRME", "STRAẞE", "2");  // capital sharp s
    EXPECT_EQ(ValueNames(Hive::CurrentUser, "software\\öl & wärme"), std::vector<std::string>{"Straße"});
    EXPECT_EQ(QueryValue(Hive::CurrentUser, "software\\öl & wärme", "straße"), Value::Text("2"));
}

TEST_F(RegistryKeys, SubKeysListedByNameWithoutRegardToCase) {
    for (const char* name : {"beta", "Alpha", "gamma", "ALPHA2"}) CreateKey(Hive::CurrentUser, std::string("Top\\") + name);
    EXPECT_EQ(SubKeyNames(Hive::CurrentUser, "top"),
              (std::vector<std::string>{"Alpha", "ALPHA2", "beta", "gamma"}));
    EXPECT_TRUE(SubKeyNames(Hive::CurrentUser, "Missing").empty());
}

TEST_F(RegistryKeys, DeleteTakesEverySubkeyAndValue) {
    SetText(Hive::ClassesRoot, "CLSID\\{X}", "", "Object");
    SetText(Hive::ClassesRoot, "CLSID\\{X}\\InprocServer32", "ThreadingModel", "Apartment");
    SetText(Hive::ClassesRoot, "CLSID\\{X}\\MiscStatus\\1", "", "164241");
    CreateKey(Hive::ClassesRoot, "CLSID\\{X}\\Control");
    SetText(Hive::ClassesRoot, "CLSID\\{Y}", "", "Other");

    EXPECT_TRUE(DeleteKey(Hive::ClassesRoot, "clsid\\{x}"));
    EXPECT_FALSE(KeyExists(Hive::ClassesRoot, "CLSID\\{X}"));
    EXPECT_FALSE(KeyExists(Hive::ClassesRoot, "CLSID\\{X}\\MiscStatus\\1"));
    EXPECT_EQ(SubKeyNames(Hive::ClassesRoot, "CLSID"), std::vector<std::string>{"{Y}"});
    EXPECT_FALSE(DeleteKey(Hive::ClassesRoot, "CLSID\\{X}"));
    EXPECT_FALSE(DeleteKey(Hive::ClassesRoot, "Nowhere\\At\\All"));

    // Recreating after deletion leaves no trace of the old contents.
    CreateKey(Hive::ClassesRoot, "CLSID\\{X}");
    EXPECT_TRUE(SubKeyNames(Hive::ClassesRoot, "CLSID\\{X}").empty());
    EXPECT_TRUE(ValueNames(Hive::ClassesRoot, "CLSID\\{X}").empty());
}

TEST_F(RegistryKeys, MalformedPathsAndTheHiveItselfAreRefused) {
    EXPECT_EQ(ErrorNumber([] { CreateKey(Hive::CurrentUser, "A\\\\B"); }), 5);
    EXPECT_EQ(ErrorNumber([] { KeyExists(Hive::CurrentUser, "\\A"); }), 5);
    EXPECT_EQ(ErrorNumber([] { DeleteKey(Hive::CurrentUser, ""); }), 5);
    EXPECT_FALSE(std::filesystem::exists(HiveFilePath(Hive::CurrentUser)));
}

// The registry never makes a key that its file could not hold.
TEST_F(RegistryKeys, KeysNestedTooDeepAreRefused) {
    std::string path = "k";
    for (std::size_t i = 1; i < kMaxKeyDepth; ++i) path += "\\k";
    SetText(Hive::CurrentUser, path, "deepest", "here");
    EXPECT_EQ(QueryValue(Hive::CurrentUser, path, "deepest")->data, "here");
    EXPECT_EQ(ErrorNumber([&] { CreateKey(Hive::CurrentUser, path + "\\one more"); }), 5);
    EXPECT_EQ(ErrorNumber([&] { KeyExists(Hive::CurrentUser, path + "\\one more"); }), 5);
}

using RegistryValues = TempRegistry;

TEST_F(RegistryValues, TypedNamedAndDefaultValues) {
    SetText(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "PATH", "/usr/bin/sysinfo");
    SetNumber(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "Count", 0xFFFFFFFFu);
    SetText(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "", "the default");
    SetValue(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "Blob", Value::Bytes("\x01\x02"));

    auto path = QueryValue(Hive::LocalMachine, "software\\tools\\msinfo", "path");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->type, REG_SZ);
    EXPECT_EQ(path->data, "/usr/bin/sysinfo");
    auto count = QueryValue(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "COUNT");
    ASSERT_TRUE(count);
    EXPECT_EQ(count->type, REG_DWORD);
    EXPECT_EQ(count->number, 0xFFFFFFFFu);
    EXPECT_EQ(QueryValue(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "")->data, "the default");
    EXPECT_EQ(QueryValue(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "Blob")->type, REG_BINARY);
    EXPECT_EQ(Value::Bytes(std::string("\x2a\x01\0\0", 4), REG_DWORD), Value::Number(0x12a));
    EXPECT_EQ(ErrorNumber([] { Value::Bytes("\x2a", REG_DWORD); }), 5);
    EXPECT_EQ(ValueNames(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO"),
              (std::vector<std::string>{"PATH", "Count", "", "Blob"}));

    // Replacing a value keeps its place and the case it was first written with.
    SetNumber(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "path", 7);
    EXPECT_EQ(ValueNames(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO").front(), "PATH");
    EXPECT_EQ(QueryValue(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "PATH")->number, 7u);

    EXPECT_TRUE(DeleteValue(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "path"));
    EXPECT_FALSE(DeleteValue(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "path"));
    EXPECT_FALSE(DeleteValue(Hive::LocalMachine, "SOFTWARE\\Nothing", "path"));
    EXPECT_FALSE(QueryValue(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", "PATH"));
    EXPECT_FALSE(QueryValue(Hive::LocalMachine, "SOFTWARE\\Nothing", "PATH"));
    EXPECT_TRUE(DeleteValue(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", ""));
    EXPECT_FALSE(QueryValue(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO", ""));
    // Deleting the values leaves the key.
    EXPECT_TRUE(KeyExists(Hive::LocalMachine, "SOFTWARE\\Tools\\MSINFO"));
}

TEST_F(RegistryValues, TextsSurviveTheFileWithLineBreaksAndSeparators) {
    const std::string name = "odd = name \\ with\nline";
    const std::string text = "first line\r\nsecond = \\ 100% \t end ";
    SetText(Hive::CurrentUser, "A", name, text);
    EXPECT_EQ(QueryValue(Hive::CurrentUser, "A", name)->data, text);
    EXPECT_EQ(ValueNames(Hive::CurrentUser, "A"), std::vector<std::string>{name});
}

TEST_F(RegistryValues, RootHandlesNameTheHives) {
    EXPECT_EQ(HiveFromHandle(HKEY_LOCAL_MACHINE), Hive::LocalMachine);
    EXPECT_EQ(HiveFromHandle(0x80000001u), Hive::CurrentUser);
    EXPECT_EQ(HiveFromHandle(HKEY_CLASSES_ROOT), Hive::ClassesRoot);
    EXPECT_FALSE(HiveFromHandle(0x80000003u));
    EXPECT_EQ(HandleOfHive(Hive::LocalMachine), HKEY_LOCAL_MACHINE);
}

using RegistryFiles = TempRegistry;

TEST_F(RegistryFiles, FolderComesFromTheEnvironment) {
    EXPECT_EQ(RegistryFolder(), folder_);
    EXPECT_EQ(HiveFilePath(Hive::CurrentUser), folder_ + "/HKEY_CURRENT_USER.reg");
    const char* home = getenv("HOME");
    std::string savedHome = home ? home : "";
    const char* xdg = getenv("XDG_CONFIG_HOME");
    std::string savedXdg = xdg ? xdg : "";

    unsetenv("ORVANTA_REGISTRY_DIR");
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(RegistryFolder(), "/cfg/orvanta/registry");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(RegistryFolder(), "/home/someone/.config/orvanta/registry");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryFolder(), "/home/someone/.config/orvanta/registry");

    if (xdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    if (home) setenv("HOME", savedHome.c_str(), 1);
    else unsetenv("HOME");
    setenv("ORVANTA_REGISTRY_DIR", folder_.c_str(), 1);
}

TEST_F(RegistryFiles, MissingFolderIsCreatedOnFirstWrite) {
    const std::string nested = folder_ + "/deeper/still";
    setenv("ORVANTA_REGISTRY_DIR", nested.c_str(), 1);
    EXPECT_FALSE(KeyExists(Hive::CurrentUser, "A"));
    SetText(Hive::CurrentUser, "A", "x", "1");
    EXPECT_TRUE(std::filesystem::exists(nested + "/HKEY_CURRENT_USER.reg"));
    // No temporary files are left behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(nested)) {
        ++files;
        EXPECT_EQ(entry.path().string().find(".tmp."), std::string::npos) << entry.path();
    }
    EXPECT_EQ(files, 2);  // the hive and its lock file
}

TEST_F(RegistryFiles, CorruptFileGivesAClearErrorAndIsNeverOverwritten) {
    SetText(Hive::CurrentUser, "Software\\Keep", "me", "please");
    const std::string path = HiveFilePath(Hive::CurrentUser);
    std::string damaged = ReadFile(path);
    damaged.insert(damaged.find("me=sz:"), "this line is damaged\n");
    WriteFile(path, damaged);

    std::string description;
    EXPECT_EQ(ErrorNumber([] { QueryValue(Hive::CurrentUser, "Software\\Keep", "me"); }, &description), 321);
    EXPECT_NE(description.find(path), std::string::npos) << description;
    EXPECT_NE(description.find("line 4"), std::string::npos) << description;
    EXPECT_EQ(ErrorNumber([] { SetText(Hive::CurrentUser, "Software\\Other", "x", "y"); }), 321);
    EXPECT_EQ(ErrorNumber([] { DeleteKey(Hive::CurrentUser, "Software"); }), 321);
    EXPECT_EQ(ErrorNumber([] { CreateKey(Hive::CurrentUser, "New"); }), 321);
    EXPECT_EQ(ReadFile(path), damaged);

    // A file cut short is corrupt too, not an empty hive.
    WriteFile(path, damaged.substr(0, damaged.size() / 2));
    EXPECT_EQ(ErrorNumber([] { SetText(Hive::CurrentUser, "A", "x", "y"); }), 321);
    EXPECT_EQ(ReadFile(path), damaged.substr(0, damaged.size() / 2));
    WriteFile(path, "");
    EXPECT_EQ(ErrorNumber([] { SetText(Hive::CurrentUser, "A", "x", "y"); }), 321);
    EXPECT_EQ(ReadFile(path), "");

    // Other hives are not affected.
    SetText(Hive::LocalMachine, "A", "x", "y");
    EXPECT_EQ(QueryValue(Hive::LocalMachine, "A", "x")->data, "y");
}

TEST_F(RegistryFiles, UnreadableFileGivesAnErrorNamingIt) {
    const std::string path = HiveFilePath(Hive::ClassesRoot);
    std::filesystem::create_directories(path);  // a folder where the file should be
    std::string description;
    int number = ErrorNumber([] { KeyExists(Hive::ClassesRoot, "CLSID"); }, &description);
    EXPECT_EQ(number, 75);
    EXPECT_NE(description.find(path), std::string::npos) << description;
    EXPECT_NE(ErrorNumber([] { CreateKey(Hive::ClassesRoot, "CLSID"); }), 0);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(RegistryFiles, FailingChangeLeavesTheFileAsItWas) {
    SetText(Hive::CurrentUser, "A", "x", "1");
    const std::string before = ReadFile(HiveFilePath(Hive::CurrentUser));
    EXPECT_THROW(UpdateHive(Hive::CurrentUser,
                            [](KeyNode& root) -> bool {
                                root.DescendOrCreate({"B"}).Set("y", Value::Text("2"));
                                throw vb::VBError(5);
                            }),
                 vb::VBError);
    EXPECT_EQ(ReadFile(HiveFilePath(Hive::CurrentUser)), before);
}

using RegistryProcesses = TempRegistry;

TEST_F(RegistryProcesses, ChangesPersistAcrossProcesses) {
    pid_t writer = Spawn([] {
        SetText(Hive::CurrentUser, "Software\\Shared", "from child", "hello");
        SetNumber(Hive::ClassesRoot, "CLSID\\{1}", "n", 99);
        return true;
    });
    ASSERT_TRUE(ExitedCleanly(writer));
    EXPECT_EQ(QueryValue(Hive::CurrentUser, "Software\\Shared", "from child")->data, "hello");
    EXPECT_EQ(QueryValue(Hive::ClassesRoot, "CLSID\\{1}", "n")->number, 99u);

    DeleteKey(Hive::ClassesRoot, "CLSID\\{1}");
    SetText(Hive::CurrentUser, "Software\\Shared", "from parent", "line1\nline2");
    pid_t reader = Spawn([] {
        auto v = QueryValue(Hive::CurrentUser, "Software\\Shared", "from parent");
        return v && v->data == "line1\nline2" && !KeyExists(Hive::ClassesRoot, "CLSID\\{1}") &&
               KeyExists(Hive::ClassesRoot, "CLSID");
    });
    EXPECT_TRUE(ExitedCleanly(reader));
}

TEST_F(RegistryProcesses, WritersAtTheSameTimeAllKeepTheirChanges) {
    constexpr int kWriters = 3;
    constexpr int kWrites = 120;
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<pid_t> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.push_back(Spawn([&, w] {
            close(gate[1]);
            char c;
            if (read(gate[0], &c, 1) != 0) return false;  // wait until the gate closes
            for (int i = 0; i < kWrites; ++i) {
                const std::string key = "Software\\Writer" + std::to_string(w) + "\\Key" + std::to_string(i);
                SetNumber(Hive::CurrentUser, key, "i", static_cast<std::uint32_t>(i));
                SetText(Hive::CurrentUser, "Software\\Common", "w" + std::to_string(w) + "-" + std::to_string(i), "x");
            }
            return true;
        }));
    }
    close(gate[0]);
    close(gate[1]);  // opens the gate for all writers at once
    for (pid_t pid : writers) EXPECT_TRUE(ExitedCleanly(pid));

    for (int w = 0; w < kWriters; ++w) {
        const std::string parent = "Software\\Writer" + std::to_string(w);
        EXPECT_EQ(SubKeyNames(Hive::CurrentUser, parent).size(), static_cast<std::size_t>(kWrites));
        for (int i = 0; i < kWrites; ++i) {
            auto v = QueryValue(Hive::CurrentUser, parent + "\\Key" + std::to_string(i), "i");
            ASSERT_TRUE(v) << parent << " " << i;
            EXPECT_EQ(v->number, static_cast<std::uint32_t>(i));
        }
    }
    EXPECT_EQ(ValueNames(Hive::CurrentUser, "Software\\Common").size(),
              static_cast<std::size_t>(kWriters * kWrites));
}
