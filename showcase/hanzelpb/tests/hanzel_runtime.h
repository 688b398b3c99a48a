#pragma once
// The runtime loaded with the program's classes and the object library of
// the built pbhanzel, for tests; each test runs in a fresh folder holding
// "tavorin.ini", "pb60.rtf" and a copy of the sample database.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime.h"
#include "vm_imports.h"

namespace hanzel::test {

std::filesystem::path BinDir();
std::filesystem::path ProgramFile();

// Loads the runtime once per process; fails the test when it cannot.
void LoadRuntime();

// A value-record field of a runtime object, through the runtime's own
// operation.
pbvm::PbValue& Field(u32 object, u32 field);
std::string FieldText(u32 object, u32 field);
// Stores a text into a field (the runtime owns the copy).
void SetFieldText(u32 object, u32 field, const std::string& text);

class HanzelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Writes "tavorin.ini" with the given DataBase and DbParm values.
    void WriteSettings(const std::string& database, const std::string& dbParm = "ConnectString='DSN=Tavorin'");
    std::filesystem::path folder_;
    std::vector<pbvm::MessageBoxCall> messages_;
    int messageAnswer_ = 1;

private:
    std::filesystem::path previous_;
};

// Replaces an import-table entry for the life of the object.
class ImportOverride {
public:
    ImportOverride(ImportSlot slot, void* replacement) : slot_(slot), saved_(g_vmImports[slot]) {
        g_vmImports[slot] = replacement;
    }
    ~ImportOverride() { g_vmImports[slot_] = saved_; }

private:
    ImportSlot slot_;
    void* saved_;
};

}  // namespace hanzel::test
