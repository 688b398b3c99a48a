// Damaged copies of hive files written by the registry itself: the reader
// either refuses them with a format error or reads a tree that writes back
// to the same tree; through the registry calls, a damaged file is error 321
// and stays as it was.
#include <gtest/gtest.h>

#include "err.h"
#include "hive_format.h"
#include "mutated_inputs.h"
#include "registry.h"
#include "settings.h"
#include "temp_registry.h"

using namespace reg;

namespace {

class HiveFuzz : public TempRegistry {
protected:
    // Hive files as the programs and the COM layer leave them.
    std::vector<std::string> RealHives() {
        vb::SaveSetting("Tavorin VB", "Hanzel", "DatabasePath", "/opt/orvanta/bin/data/tavorin.mdb");
        vb::SaveSetting("Orvanta", "Startup", "Last user", "caf\xc3\xa9 = 100% \"quoted\"\r\nsecond line");
        SetText(Hive::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", "/usr/bin/sysinfo");
        SetText(Hive::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "/usr/bin");
        SetNumber(Hive::CurrentUser, "Software\\Orvanta\\Counters", "Opened", 4294967295u);
        SetValue(Hive::CurrentUser, "Software\\Orvanta\\Counters", "", Value::Bytes(std::string("\0\x01\xff", 3)));
        SetValue(Hive::CurrentUser, "Software\\Orvanta\\Counters", "#=[@",
                 Value::Bytes(std::string("a\0b\0\0", 5), 7));
        const std::string libKey = "TypeLib\\{478E45E0-5745-11CF-8918-00A02416C765}\\1.0";
        SetText(Hive::ClassesRoot, libKey, "", "Tavorin ActiveX Test Control");
        SetText(Hive::ClassesRoot, libKey + "\\FLAGS", "", "0");
        SetText(Hive::ClassesRoot, libKey + "\\409\\win32", "", "/opt/orvanta/bin/zevote32.ocx");
        SetText(Hive::ClassesRoot, "CLSID\\{4B27E760-5745-11CF-8918-00A02416C765}\\InprocServer32", "",
                "/opt/orvanta/bin/zevote32.ocx");
        SetText(Hive::ClassesRoot, "ZEVOTestObjects.ZEVOTest\\CLSID", "", "{4B27E760-5745-11CF-8918-00A02416C765}");
        std::vector<std::string> hives;
        for (Hive h : {Hive::CurrentUser, Hive::LocalMachine, Hive::ClassesRoot})
            hives.push_back(ReadFile(HiveFilePath(h)));
        return hives;
    }
};

const std::vector<std::string> kWords = {
    "\n", "\r\n", "[", "]", "\\", "=", "@=", "sz:", "dword:", "hex:", "hex(", "hex(7):", "):", "%", "%zz", "%0",
    "%5c", ",", "ff,", "#end\n", "#orvanta-registry 1 HKEY_CURRENT_USER\n"};

}  // namespace

TEST_F(HiveFuzz, DamagedFilesAreRefusedOrReadConsistently) {
    const std::vector<std::string> hives = RealHives();
    const char* names[] = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT"};
    MutatedInputs inputs(hives, kWords, 20260418);
    int read = 0;
    for (int n = 0; n < 4000; ++n) {
        const std::string text = inputs.Next();
        SCOPED_TRACE("input " + std::to_string(n));
        for (const char* hive : names) {
            try {
                KeyNode root = ReadHive(text, hive);
                ++read;
                ASSERT_TRUE(ReadHive(WriteHive(root, hive), hive) == root);
            } catch (const HiveFormatError& e) {
                ASSERT_GE(e.line(), 0);
            }
        }
    }
    EXPECT_GT(read, 0);
}

TEST_F(HiveFuzz, ADamagedFileIsError321AndStaysAsItWas) {
    const std::vector<std::string> hives = RealHives();
    const std::string path = HiveFilePath(Hive::CurrentUser);
    MutatedInputs inputs({hives[0]}, kWords, 99);
    for (int n = 0; n < 300; ++n) {
        const std::string text = inputs.Next();
        SCOPED_TRACE("input " + std::to_string(n));
        WriteFile(path, text);
        int error = 0;
        try {
            vb::GetSetting("Tavorin VB", "Hanzel", "DatabasePath");
            SubKeyNames(Hive::CurrentUser, "Software\\VB and VBA Program Settings");
            SetText(Hive::CurrentUser, "Software\\Orvanta\\Fuzz", "n", std::to_string(n));
        } catch (const vb::VBError& e) {
            error = e.number();
        }
        if (error) {
            ASSERT_EQ(error, 321);
            ASSERT_EQ(ReadFile(path), text);
        } else {
            ASSERT_EQ(QueryValue(Hive::CurrentUser, "Software\\Orvanta\\Fuzz", "n")->data, std::to_string(n));
        }
    }
}
