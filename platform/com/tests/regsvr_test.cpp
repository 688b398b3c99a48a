// The registration tool: regsvr [-u] PATH, run as a program.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>

#include "registry.h"
#include "temp_registry.h"

namespace {

struct Outcome {
    int exitCode = -1;
    std::string output;
};

Outcome Regsvr(const std::string& args) {
    Outcome o;
    FILE* p = popen((std::string(REGSVR) + " " + args + " 2>&1").c_str(), "r");
    if (!p) return o;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, p)) o.output += buffer;
    const int status = pclose(p);
    o.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return o;
}

const std::string kClsidKey = "CLSID\\{5A0F1C14-2B3C-4D5E-8F90-A1B2C3D4E5F6}";

}  // namespace

using RegistrationTool = TempRegistry;

TEST_F(RegistrationTool, RegistersOnceAndUnregistersEverything) {
    const std::string server = TEST_SERVER;
    Outcome o = Regsvr("'" + server + "'");
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.output, "DllRegisterServer in " + server + " succeeded.\n");
    ASSERT_TRUE(reg::KeyExists(reg::Hive::ClassesRoot, kClsidKey + "\\InprocServer32"));
    const std::string first = ReadFile(reg::HiveFilePath(reg::Hive::ClassesRoot));
    EXPECT_EQ(Regsvr("'" + server + "'").exitCode, 0);
    EXPECT_EQ(ReadFile(reg::HiveFilePath(reg::Hive::ClassesRoot)), first);  // one set of entries

    o = Regsvr("-u '" + server + "'");
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.output, "DllUnregisterServer in " + server + " succeeded.\n");
    EXPECT_FALSE(reg::KeyExists(reg::Hive::ClassesRoot, kClsidKey));
    EXPECT_FALSE(reg::KeyExists(reg::Hive::ClassesRoot, "OrvantaTest.Adder"));
    EXPECT_FALSE(reg::KeyExists(reg::Hive::ClassesRoot, "OrvantaTest.Adder.1"));
    EXPECT_TRUE(reg::SubKeyNames(reg::Hive::ClassesRoot, "TypeLib").empty());
    EXPECT_TRUE(reg::SubKeyNames(reg::Hive::ClassesRoot, "CLSID").empty());
}

TEST_F(RegistrationTool, FailuresEndWithANonZeroExitCode) {
    EXPECT_EQ(Regsvr("").exitCode, 2);
    Outcome o = Regsvr("/nonexistent/zevote32.ocx");
    EXPECT_NE(o.exitCode, 0);
    EXPECT_NE(o.output.find("LoadLibrary(\"/nonexistent/zevote32.ocx\") failed"), std::string::npos) << o.output;

    // A registry that cannot be written: the server's failure HRESULT.
    const std::string blocked = folder_ + "/blocked";
    std::ofstream(blocked) << "not a folder";
    setenv("ORVANTA_REGISTRY_DIR", blocked.c_str(), 1);
    o = Regsvr(std::string("'") + TEST_SERVER + "'");
    EXPECT_NE(o.exitCode, 0);
    EXPECT_EQ(o.output, "DllRegisterServer in " + std::string(TEST_SERVER) + " failed.\nReturn code was: 0x80040201\n");
}
