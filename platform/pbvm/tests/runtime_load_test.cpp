// The runtime refuses a program file without a usable library, and an
// application class the program has no code for, with a message.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "class_source.h"
#include "library_file.h"
#include "runtime.h"

namespace {

namespace fs = std::filesystem;

fs::path writeFile(const std::string& name, const pbvm::Bytes& bytes) {
    fs::path path = fs::temp_directory_path() / ("pbvm_load_" + std::to_string(::getpid()) + "_" + name);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

pbvm::Bytes text(const std::string& s) { return pbvm::Bytes(s.begin(), s.end()); }

const pbvm::ExportDirectory kNoExports{"test.exe", nullptr, 0};

TEST(RuntimeLoad, AProgramWithoutLibraryIsReported) {
    fs::path file = writeFile("plain", pbvm::Bytes(4096, 0x90));
    std::string error;
    EXPECT_FALSE(pbvm::Runtime::Get().Load(kNoExports, file.string(), error));
    EXPECT_NE(error.find("no object library"), std::string::npos) << error;
    EXPECT_FALSE(pbvm::Runtime::Get().Load(kNoExports, (file.string() + ".missing"), error));
    EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
    fs::remove(file);
}

TEST(RuntimeLoad, ALibraryWithoutObjectListOrWithADamagedClassIsReported) {
    pbvm::Bytes program(1000, 0x90);
    pbvm::Bytes library = pbvm::BuildLibrary({{"other.bmp", pbvm::Bytes(10, 1), 0}}, program.size(), 0);
    program.insert(program.end(), library.begin(), library.end());
    fs::path file = writeFile("nolist", program);
    std::string error;
    EXPECT_FALSE(pbvm::Runtime::Get().Load(kNoExports, file.string(), error));
    EXPECT_NE(error.find("ob.exe"), std::string::npos) << error;

    program.assign(1000, 0x90);
    library = pbvm::BuildLibrary({{"app.apl", text("not a class"), 0},
                                  {"ob.exe", pbvm::BuildObjectList("app.apl", {"_typedef.grp", "app.apl"}), 0}},
                                 program.size(), 0);
    program.insert(program.end(), library.begin(), library.end());
    fs::path damaged = writeFile("damaged", program);
    EXPECT_FALSE(pbvm::Runtime::Get().Load(kNoExports, damaged.string(), error));
    EXPECT_NE(error.find("app.apl"), std::string::npos) << error;
    fs::remove(file);
    fs::remove(damaged);
}

TEST(RuntimeLoad, AnApplicationWithoutCodeIsReported) {
    pbvm::Bytes program(1000, 0x90);
    auto app = pbvm::CompileClassSource(
        text("class app application\nobject app application - -\n_initsrc\napplication\napp\n"));
    pbvm::Bytes library = pbvm::BuildLibrary(
        {{"app.apl", app, 0}, {"ob.exe", pbvm::BuildObjectList("app.apl", {"_typedef.grp", "app.apl"}), 0}},
        program.size(), 0);
    program.insert(program.end(), library.begin(), library.end());
    fs::path file = writeFile("nocode", program);
    std::string error;
    EXPECT_FALSE(pbvm::Runtime::Get().Load(kNoExports, file.string(), error));
    EXPECT_NE(error.find("the application class app has no code"), std::string::npos) << error;
    fs::remove(file);
}

}  // namespace
