#include "hanzel_runtime.h"

#include <QApplication>
#include <cstdlib>
#include <fstream>

#include "export_table.h"

namespace hanzel::test {

namespace fs = std::filesystem;

fs::path BinDir() {
    const char* bin = std::getenv("ORVANTA_BIN_DIR");
    return fs::path(bin ? bin : "bin");
}

fs::path ProgramFile() { return BinDir() / "pbhanzel"; }

void LoadRuntime() {
    static bool loaded = false;
    static std::string error;
    if (!loaded) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "hanzelpb_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
        unsigned missing = 0;
        if (!FillImports(missing)) error = "the runtime lacks ordinal " + std::to_string(missing);
        else if (pbvm::Runtime::Get().Load(g_exportDirectory, ProgramFile().string(), error)) loaded = true;
    }
    ASSERT_TRUE(loaded) << error;
}

pbvm::PbValue& Field(u32 object, u32 field) {
    auto address = reinterpret_cast<u32 (*)(u32, u32, u32)>(PBVM60_ProcByOrdinal(2458));
    return *pbvm::At<pbvm::PbValue>(address(pbvm::Runtime::Get().Context(), object, field));
}

std::string FieldText(u32 object, u32 field) {
    const pbvm::PbValue& v = Field(object, field);
    return v.value ? pbvm::At<const char>(v.value) : "";
}

void SetFieldText(u32 object, u32 field, const std::string& text) {
    auto release = reinterpret_cast<u32 (*)(u32, u32)>(PBVM60_ProcByOrdinal(2012));
    auto make = reinterpret_cast<u32 (*)(u32, u32)>(PBVM60_ProcByOrdinal(2448));
    const u32 c = pbvm::Runtime::Get().Context();
    pbvm::PbValue& v = Field(object, field);
    release(c, pbvm::Low(&v));
    static char buffer[1024];
    std::snprintf(buffer, sizeof buffer, "%s", text.c_str());
    v = {make(c, pbvm::Low(buffer)), pbvm::flag::kValue, pbvm::type::kString};
}

void HanzelTest::SetUp() {
    LoadRuntime();
    previous_ = fs::current_path();
    folder_ = fs::temp_directory_path() /
              ("hanzelpb_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::copy_file(BinDir() / "tavorin.mdb", folder_ / "tavorin.mdb");
    fs::copy_file(BinDir() / "pb60.rtf", folder_ / "pb60.rtf");
    WriteSettings("tavorin.mdb");
    fs::current_path(folder_);
    pbvm::Runtime::Get().SetMessageBoxHandler([this](const pbvm::MessageBoxCall& call) {
        messages_.push_back(call);
        return messageAnswer_;
    });
    pbvm::Runtime::Get().SetNullObjectErrorAnswer(0);
}

void HanzelTest::TearDown() {
    pbvm::Runtime::Get().EndApplication();
    QApplication::processEvents();
    pbvm::Runtime::Get().SetMessageBoxHandler(nullptr);
    fs::current_path(previous_);
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

void HanzelTest::WriteSettings(const std::string& database, const std::string& dbParm) {
    std::ofstream out(folder_ / "tavorin.ini");
    out << "[Database]\nDBMS=ODBC\nDataBase=" << database
        << "\nLogID=\nLogPassword=\nServerName=\nUserID=\nDatabasePassword=\nLock=\nDbParm=" << dbParm << "\n";
}

}  // namespace hanzel::test
