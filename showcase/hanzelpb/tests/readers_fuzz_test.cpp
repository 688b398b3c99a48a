// Every reader of the runtime fed thousands of damaged copies of the real
// files it reads: the description document, the object library built onto
// pbhanzel and its class, DataWindow and object-list entries, the DataWindow
// sources and the settings file. A reader refuses or reads what it can;
// nothing escapes it and nothing it gives back is out of bounds.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>

#include "class_source.h"
#include "dw_definition.h"
#include "fuzz_inputs.h"
#include "ini_file.h"
#include "library_file.h"
#include "rtf_text.h"

namespace {

namespace fs = std::filesystem;
using hanzel::fuzz::Bytes;
using hanzel::fuzz::Mutator;

std::string text(const Bytes& b) { return std::string(b.begin(), b.end()); }

// Where the numbers of a text start: the damage goes there more often.
std::vector<std::size_t> numberPositions(const Bytes& data) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < data.size(); ++i)
        if (std::isdigit(data[i]) && (i == 0 || !std::isdigit(data[i - 1]))) out.push_back(i);
    return out;
}

// The entries of the library built onto pbhanzel.
std::vector<pbvm::LibraryEntry> realEntries() {
    std::string error;
    auto library = pbvm::LibraryReader::Open((hanzel::fuzz::BinDir() / "pbhanzel").string(), error);
    EXPECT_TRUE(library) << error;
    std::vector<pbvm::LibraryEntry> out;
    if (!library) return out;
    for (const auto& name : library->names()) {
        auto data = library->Read(name, error);
        EXPECT_TRUE(data) << error;
        if (data) out.push_back({name, *data, 0});
    }
    return out;
}

TEST(ReadersFuzz, TheDescriptionDocumentIsShownAsFarAsItReads) {
    const Bytes original = hanzel::fuzz::ReadFile(hanzel::fuzz::SourceDir() / "pb60.rtf");
    ASSERT_FALSE(original.empty());
    const std::vector<std::size_t> hot = numberPositions(original);
    Mutator mutator(0x7274'6631);
    for (int i = 0; i < 4000; ++i) {
        const std::string rtf = text(mutator.Mutate(original, hot));
        std::string html;
        ASSERT_NO_THROW(html = pbvm::RtfToHtml(rtf)) << "input " << i << ": " << rtf;
        ASSERT_EQ(html.rfind("<html><body><p>", 0), 0u) << "input " << i;
        // Font sizes stay within 1 to 1,638 points.
        for (std::size_t at = html.find("font-size:"); at != std::string::npos; at = html.find("font-size:", at + 1)) {
            const int points = std::atoi(html.c_str() + at + 10);
            ASSERT_TRUE(points >= 1 && points <= 1638) << "input " << i << ": " << points;
        }
    }
}

TEST(ReadersFuzz, TheLibraryContainerRefusesOrReadsEntriesWithinTheFile) {
    const std::vector<pbvm::LibraryEntry> entries = realEntries();
    ASSERT_GE(entries.size(), 10u);
    const Bytes original = pbvm::BuildLibrary(entries, 0, 0);
    // The header, free-space map and directory node, and each block's head.
    std::vector<std::size_t> hot;
    for (std::size_t at = 0; at < 4096; at += 8) hot.push_back(at);
    for (std::size_t at = 4096; at < original.size(); at += pbvm::kBlockSize) hot.push_back(at);
    hot.push_back(original.size() - pbvm::kBlockSize);
    Mutator mutator(0x6c69'6231);
    int opened = 0;
    for (int i = 0; i < 2000; ++i) {
        const Bytes file = mutator.Mutate(original, hot);
        std::string error;
        std::optional<pbvm::LibraryReader> reader;
        ASSERT_NO_THROW(reader = pbvm::LibraryReader::FromBytes(file, error)) << "input " << i;
        if (!reader) {
            ASSERT_FALSE(error.empty()) << "input " << i;
            continue;
        }
        ++opened;
        for (const auto& name : reader->names()) {
            std::optional<Bytes> data;
            ASSERT_NO_THROW(data = reader->Read(name, error)) << "input " << i << " entry " << name;
            if (data) ASSERT_LE(data->size(), file.size()) << "input " << i << " entry " << name;
            else ASSERT_FALSE(error.empty()) << "input " << i << " entry " << name;
        }
    }
    EXPECT_GT(opened, 0);  // the damage is not all in the parts read first
}

TEST(ReadersFuzz, ClassEntriesAndTheObjectListAreRefusedOrReadWithinBounds) {
    std::vector<Bytes> classes;
    Bytes objectList;
    for (const auto& e : realEntries()) {
        if (e.data.size() >= 8 && std::equal(e.data.begin(), e.data.begin() + 8, "PBC0600")) classes.push_back(e.data);
        if (e.name == "ob.exe") objectList = e.data;
    }
    ASSERT_EQ(classes.size(), 5u);
    ASSERT_FALSE(objectList.empty());
    Mutator mutator(0x636c'7331);
    int refused = 0;
    for (int i = 0; i < 5000; ++i) {
        const Bytes& original = classes[i % classes.size()];
        const Bytes entry = mutator.Mutate(original, numberPositions(original));
        std::string error;
        std::optional<pbvm::ClassDef> def;
        ASSERT_NO_THROW(def = pbvm::ParseClassEntry(entry, error)) << "input " << i << ": " << text(entry);
        if (!def) {
            ASSERT_FALSE(error.empty());
            ++refused;
            continue;
        }
        // Field and slot numbers fit the runtime's 16-bit records.
        for (const auto& o : def->objects) ASSERT_LE(o.field, 0xFFFF) << "input " << i;
        for (const auto& g : def->globals) ASSERT_TRUE(g.slot >= 0 && g.slot <= 0xFFFF) << "input " << i;
        for (const auto& v : def->instanceVariables) ASSERT_TRUE(v.field >= 0 && v.field <= 0xFFFF) << "input " << i;
    }
    EXPECT_GT(refused, 0);
    for (int i = 0; i < 1000; ++i) {
        const Bytes list = mutator.Mutate(objectList);
        std::string error;
        ASSERT_NO_THROW(pbvm::ParseObjectList(list, error)) << "input " << i;
    }
}

TEST(ReadersFuzz, DataWindowObjectsAreRefusedOrComputeWithoutFailing) {
    std::vector<Bytes> sources;
    for (const auto& entry : fs::directory_iterator(hanzel::fuzz::SourceDir() / "library"))
        if (entry.path().extension() == ".dws")
            sources.push_back(pbvm::CompileDataWindowSource(hanzel::fuzz::ReadFile(entry.path())));
    ASSERT_EQ(sources.size(), 5u);
    // Rows of every kind of value a column can bring back.
    const std::vector<vb::Variant> values = {
        vb::Variant(3.25),
        vb::Variant(-1e308),
        vb::Variant(vb::Currency::FromScaled(std::numeric_limits<std::int64_t>::min())),
        vb::Variant(vb::Currency::FromScaled(std::numeric_limits<std::int64_t>::max())),
        vb::Variant(std::int16_t{-32768}),
        vb::Variant(std::string("Widget")),
        vb::Variant(std::string("12.5")),
        vb::Variant(vb::Date::FromParts(1998, 3, 2, 14, 5, 9)),
        vb::Variant::Null(),
        vb::Variant(),
    };
    Mutator mutator(0x6477'3031);
    int parsed = 0;
    for (int i = 0; i < 3000; ++i) {
        const Bytes& original = sources[i % sources.size()];
        const Bytes entry = mutator.Mutate(original, numberPositions(original));
        std::string error;
        std::optional<pbvm::DwDefinition> dw;
        ASSERT_NO_THROW(dw = pbvm::ParseDataWindow(entry, error)) << "input " << i << ": " << text(entry);
        if (!dw) {
            ASSERT_FALSE(error.empty());
            continue;
        }
        ++parsed;
        ASSERT_NO_THROW(dw->sql({std::string("it's"), std::nullopt})) << "input " << i;
        for (std::size_t r = 0; r < 4; ++r) {
            std::vector<vb::Variant> row(dw->columns.size());
            for (auto& v : row) v = values[mutator.Below(values.size())];
            for (const auto& shown : dw->shown) {
                ASSERT_NO_THROW(pbvm::FormatDwValue(pbvm::ShownValue(*dw, shown, row), shown.format))
                    << "input " << i << ": " << text(entry);
            }
        }
    }
    EXPECT_GT(parsed, 0);
}

TEST(ReadersFuzz, TheSettingsFileGivesValuesAndHidesPasswords) {
    const std::string original = text(hanzel::fuzz::ReadFile(hanzel::fuzz::SourceDir() / "tavorin.ini"));
    ASSERT_FALSE(original.empty());
    const fs::path folder = fs::temp_directory_path() / ("hanzel_fuzz_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    Mutator mutator(0x696e'6931);
    const char* keys[] = {"DBMS", "DataBase", "LogPassword", "DatabasePassword", "DbParm"};
    for (int i = 0; i < 2000; ++i) {
        const std::string ini = mutator.Mutate(original);
        // A new file each time: rewriting one file in place waits for the disk.
        const fs::path path = folder / (std::to_string(i) + ".ini");
        std::ofstream(path, std::ios::binary) << ini;
        for (const char* key : keys) {
            std::string value;
            ASSERT_NO_THROW(value = pbvm::ReadProfileString(path.string(), "Database", key, " ")) << "input " << i;
            ASSERT_LE(value.size(), ini.size() + 1);
        }
        std::string hidden;
        ASSERT_NO_THROW(hidden = pbvm::HidePasswords(ini, {"Tavorin", "DSN", ""})) << "input " << i;
        ASSERT_EQ(hidden.find("Tavorin"), std::string::npos) << "input " << i;
        fs::remove(path);
    }
    fs::remove_all(folder);
}

}  // namespace
