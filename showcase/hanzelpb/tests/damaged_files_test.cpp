// A damaged class entry in pbhanzel's object library is refused like any
// other damage of the library: the runtime says which entry and why, and
// does not load.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fuzz_inputs.h"
#include "library_file.h"
#include "runtime.h"

namespace {

namespace fs = std::filesystem;
using hanzel::fuzz::Bytes;

const pbvm::ExportDirectory kNoExports{"pbhanzel", nullptr, 0};

// A program whose library is pbhanzel's with one line of an entry changed.
fs::path programWithChangedLine(const std::string& entryName, const std::string& line, const std::string& changed) {
    std::string error;
    auto library = pbvm::LibraryReader::Open((hanzel::fuzz::BinDir() / "pbhanzel").string(), error);
    EXPECT_TRUE(library) << error;
    std::vector<pbvm::LibraryEntry> entries;
    bool found = false;
    for (const auto& name : library->names()) {
        Bytes data = *library->Read(name);
        if (name == entryName) {
            std::string text(data.begin(), data.end());
            const std::size_t at = text.find(line);
            EXPECT_NE(at, std::string::npos) << line;
            if (at != std::string::npos) {
                text.replace(at, line.size(), changed);
                found = true;
            }
            data.assign(text.begin(), text.end());
        }
        entries.push_back({name, data, 0});
    }
    EXPECT_TRUE(found) << entryName;
    Bytes program(4096, 0x90);
    const Bytes appended = pbvm::BuildLibrary(entries, program.size(), 0);
    program.insert(program.end(), appended.begin(), appended.end());
    const fs::path path = fs::temp_directory_path() / ("hanzel_damaged_" + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(program.data()),
                                                static_cast<std::streamsize>(program.size()));
    return path;
}

std::string loadError(const fs::path& program) {
    std::string error;
    bool loaded = true;
    EXPECT_NO_THROW(loaded = pbvm::Runtime::Get().Load(kNoExports, program.string(), error));
    EXPECT_FALSE(loaded);
    fs::remove(program);
    return error;
}

TEST(DamagedLibrary, AFieldNumberThatIsNoNumberOrTooLargeIsRefused) {
    const std::string line = "object st_4 statictext w_about 38";
    for (const std::string field : {"zz", "99999999999", "-1", "65536"}) {
        const std::string error = loadError(programWithChangedLine("w_about.win", line, "object st_4 statictext w_about " + field));
        EXPECT_NE(error.find("w_about.win"), std::string::npos) << error;
        EXPECT_NE(error.find("object st_4 statictext w_about " + field), std::string::npos) << error;
    }
}

TEST(DamagedLibrary, SlotsAndPropertiesThatAreNoNumbersAreRefused) {
    const std::pair<std::string, std::string> damages[] = {
        {"global 29 w_about w_about", "global 2x9 w_about w_about"},
        {"global 29 w_about w_about", "global 29 w_about"},
        {"  width = 1800", "  width = 1e999"},
        {"  width = 1800", "  width = 99999999999"},
        {"  width = 1800", "  width = 18 00"},
    };
    for (const auto& [line, changed] : damages) {
        const std::string error = loadError(programWithChangedLine("w_about.win", line, changed));
        EXPECT_NE(error.find("w_about.win"), std::string::npos) << changed << ": " << error;
    }
}

TEST(DamagedLibrary, TheUndamagedLibraryGetsAsFarAsTheProgramsCode) {
    // Without the program's code the application class cannot run: every
    // entry was read.
    const std::string error = loadError(programWithChangedLine("w_about.win", "width = 1800", "width = 1800"));
    EXPECT_NE(error.find("the application class pbapplet32 has no code"), std::string::npos) << error;
}

}  // namespace
