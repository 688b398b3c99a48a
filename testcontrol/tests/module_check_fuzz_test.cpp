// The check that modules pass before they are loaded, over thousands of cut
// and changed copies of the built control and a satellite: it never fails
// itself, refuses every copy cut inside its loadable segments, and passes
// only copies whose loadable segments the file holds.
#include <gtest/gtest.h>

#include <unistd.h>

#include <random>

#include "fuzz_seed.h"
#include "module_check.h"
#include "module_files.h"
#include "server_test_support.h"

using namespace zevote::testing;

namespace {

struct BuiltModule {
    const char* name;
    std::string bytes;
};

std::vector<BuiltModule> Modules() {
    return {{"zevote32.ocx", ReadBytes(ControlPath())},
            {"zevote32LOC.DLL", ReadBytes(std::string(ZEVOTE_SATELLITE_DIR) + "/zevote32LOC.DLL")}};
}

TEST(ModuleCheckFuzz, CutCopiesAreRefusedUpToTheEndOfTheirLoadableSegments) {
    for (const BuiltModule& m : Modules()) {
        ASSERT_GT(m.bytes.size(), 4096u) << m.name;
        EXPECT_EQ(com::ElfImageProblem(m.bytes), std::nullopt) << m.name;
        const std::size_t end = LoadableEnd(m.bytes);
        ASSERT_LE(end, m.bytes.size()) << m.name;
        // Every size up to the program headers, then steps over the rest,
        // and the bytes around the end of the loadable segments.
        std::vector<std::size_t> cuts;
        for (std::size_t n = 0; n < 1024; ++n) cuts.push_back(n);
        for (std::size_t n = 1024; n < m.bytes.size(); n += 211) cuts.push_back(n);
        for (std::size_t n = end - 8; n <= end + 8 && n < m.bytes.size(); ++n) cuts.push_back(n);
        for (std::size_t cut : cuts) {
            const auto problem = com::ElfImageProblem(std::string_view(m.bytes).substr(0, cut));
            if (cut < end) {
                EXPECT_TRUE(problem.has_value()) << m.name << " cut at " << cut;
            } else {
                EXPECT_EQ(problem, std::nullopt) << m.name << " cut at " << cut;
            }
        }
    }
}

TEST(ModuleCheckFuzz, ChangedBytesNeverUpsetTheCheck) {
    std::mt19937 random(FuzzSeed(20240611));
    for (const BuiltModule& m : Modules()) {
        ElfW(Ehdr) header;
        std::memcpy(&header, m.bytes.data(), sizeof header);
        // The bytes the check reads: the ELF header and the program headers.
        const std::size_t headerBytes = header.e_phoff + header.e_phnum * sizeof(ElfW(Phdr));
        int refused = 0;
        for (int round = 0; round < 2500; ++round) {
            std::string image = m.bytes;
            const int changes = 1 + static_cast<int>(random() % 6);
            for (int c = 0; c < changes; ++c) {
                const std::size_t at = random() % 4 == 0 ? random() % image.size() : random() % headerBytes;
                switch (random() % 3) {
                case 0: image[at] = static_cast<char>(random()); break;
                case 1: image[at] = static_cast<char>(image[at] ^ (1u << (random() % 8))); break;
                default: image[at] = static_cast<char>(random() % 2 ? 0xFF : 0x00); break;
                }
            }
            if (random() % 5 == 0) image.resize(random() % image.size());
            const auto problem = com::ElfImageProblem(image);
            if (problem) {
                ++refused;
                EXPECT_FALSE(problem->empty());
                continue;
            }
            // Passed: an intact ELF start whose loadable segments the file holds.
            ASSERT_GE(image.size(), sizeof header) << "round " << round;
            EXPECT_EQ(image.compare(0, 4, "\x7f" "ELF"), 0) << "round " << round;
            EXPECT_LE(LoadableEnd(image), image.size()) << "round " << round;
        }
        EXPECT_GT(refused, 500) << m.name;
    }
}

TEST(ModuleCheckFuzz, FilesAreCheckedAsTheirBytesAre) {
    char pattern[] = "/tmp/zevote-fuzz-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    std::mt19937 random(FuzzSeed(7));
    for (const BuiltModule& m : Modules()) {
        for (int round = 0; round < 40; ++round) {
            std::string image = m.bytes.substr(0, random() % (m.bytes.size() + 1));
            if (round % 2 && !image.empty()) {
                image[random() % std::min<std::size_t>(image.size(), 600)] ^= 0x5A;
            }
            const std::string path = folder + "/" + m.name;
            WriteBytes(path, image);
            const auto fromFile = com::ModuleFileProblem(path);
            const auto fromBytes = com::ElfImageProblem(image);
            EXPECT_EQ(fromFile.has_value(), fromBytes.has_value()) << m.name << " round " << round;
            if (fromFile) {
                EXPECT_EQ(fromFile->rfind(path, 0), 0u) << *fromFile;  // names the file
            }
        }
    }
    EXPECT_EQ(com::ModuleFileProblem(folder + "/missing.ocx"), std::nullopt);  // the loader's to report
    EXPECT_TRUE(com::ModuleFileProblem(folder).has_value());                    // a folder
    std::filesystem::remove_all(folder);
}

}  // namespace
