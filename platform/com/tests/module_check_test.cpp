// The look at a module file before it is loaded: headers that do not fit
// this build and segments past the end of the file are refused, and such a
// file loads as one that is not there.
#include <gtest/gtest.h>

#include <elf.h>
#include <link.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "com.h"
#include "module_check.h"

using namespace com;

namespace {

using Ehdr = ElfW(Ehdr);
using Phdr = ElfW(Phdr);

std::string ServerBytes() {
    std::ifstream in(TEST_SERVER, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The server's bytes with its ELF header changed by `edit`.
std::string WithHeader(const std::function<void(Ehdr&)>& edit) {
    std::string image = ServerBytes();
    Ehdr h;
    std::memcpy(&h, image.data(), sizeof h);
    edit(h);
    std::memcpy(image.data(), &h, sizeof h);
    return image;
}

// The server's bytes with its first program header of `type` changed.
std::string WithSegment(unsigned type, const std::function<void(Phdr&)>& edit) {
    std::string image = ServerBytes();
    Ehdr h;
    std::memcpy(&h, image.data(), sizeof h);
    for (int i = 0; i < h.e_phnum; ++i) {
        Phdr p;
        char* at = image.data() + h.e_phoff + i * sizeof p;
        std::memcpy(&p, at, sizeof p);
        if (p.p_type != type) continue;
        edit(p);
        std::memcpy(at, &p, sizeof p);
        break;
    }
    return image;
}

std::string Problem(const std::string& image) { return ElfImageProblem(image).value_or("(none)"); }

}  // namespace

TEST(ModuleCheck, HeadersThatDoNotFitThisBuildAreRefused) {
    ASSERT_EQ(ElfImageProblem(ServerBytes()), std::nullopt);
    EXPECT_EQ(Problem("MZ\x90"), "it is cut short: the ELF header ends at byte 64, the file has 3");
    EXPECT_EQ(Problem(WithHeader([](Ehdr& h) { h.e_ident[1] = 'X'; })), "it is not an ELF file");
    EXPECT_EQ(Problem(WithHeader([](Ehdr& h) { h.e_ident[EI_CLASS] ^= 3; })), "it is an ELF file of another word size");
    EXPECT_EQ(Problem(WithHeader([](Ehdr& h) { h.e_ident[EI_DATA] ^= 3; })), "it is an ELF file of another byte order");
    EXPECT_EQ(Problem(WithHeader([](Ehdr& h) { h.e_version = 2; })), "its ELF version is unknown");
    EXPECT_EQ(Problem(WithHeader([](Ehdr& h) { h.e_type = ET_REL; })), "it is not a shared object");
    EXPECT_EQ(Problem(WithHeader([](Ehdr& h) { h.e_machine = h.e_machine == EM_S390 ? EM_ARM : EM_S390; })),
              "it is built for another machine");
    EXPECT_EQ(Problem(WithHeader([](Ehdr& h) { h.e_phentsize = 32; })), "its program header size is wrong");
    EXPECT_EQ(Problem(WithHeader([](Ehdr& h) { h.e_phnum = 0; })), "its program header count is wrong");
    EXPECT_EQ(Problem(WithHeader([](Ehdr& h) { h.e_phnum = PN_XNUM; })), "its program header count is wrong");
    // Section headers are not needed.
    EXPECT_EQ(ElfImageProblem(WithHeader([](Ehdr& h) {
                  h.e_shoff = 0;
                  h.e_shnum = 0;
                  h.e_shstrndx = 0;
              })),
              std::nullopt);
}

TEST(ModuleCheck, SegmentsAndTablesPastTheEndOfTheFileAreRefused) {
    const std::string image = ServerBytes();
    const auto size = std::to_string(image.size());
    EXPECT_EQ(Problem(WithHeader([&](Ehdr& h) { h.e_phoff = image.size() - 8; })).rfind(
                  "it is cut short: the program header table ends at", 0),
              0u);
    EXPECT_EQ(Problem(WithHeader([](Ehdr& h) { h.e_phoff = ~Elf64_Off{0} - 8; })),
              "it is cut short: the program header table ends at byte 18446744073709551615, the file has " + size);
    EXPECT_EQ(Problem(WithSegment(PT_LOAD, [&](Phdr& p) { p.p_filesz = p.p_memsz = image.size() + 1; })),
              "it is cut short: a loadable segment ends at byte " + std::to_string(image.size() + 1) +
                  ", the file has " + size);
    EXPECT_EQ(Problem(WithSegment(PT_LOAD, [](Phdr& p) { p.p_offset = ~Elf64_Off{0} - 1; }))
                  .rfind("it is cut short: a loadable segment", 0),
              0u);
    Elf64_Xword dynamicSize = 0;
    WithSegment(PT_DYNAMIC, [&](Phdr& p) { dynamicSize = p.p_filesz; });
    ASSERT_GT(dynamicSize, 16u);
    EXPECT_EQ(Problem(WithSegment(PT_DYNAMIC, [&](Phdr& p) { p.p_offset = image.size() - 16; })),
              "it is cut short: the dynamic section ends at byte " + std::to_string(image.size() - 16 + dynamicSize) +
                  ", the file has " + size);
    EXPECT_EQ(Problem(WithSegment(PT_DYNAMIC, [](Phdr& p) { p.p_vaddr += 0x1000000; })),
              "its dynamic section lies outside its loadable segments");
    EXPECT_EQ(Problem(WithSegment(PT_LOAD, [](Phdr& p) { p.p_filesz = p.p_memsz + 1; })),
              "a loadable segment holds more than it maps");
}

TEST(ModuleCheck, ARefusedFileLoadsAsOneThatIsNotThere) {
    char pattern[] = "/tmp/orvanta-cut-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string path = std::string(pattern) + "/testserver.ocx";
    std::ofstream(path, std::ios::binary) << ServerBytes().substr(0, 4096);
    EXPECT_EQ(LoadLibrary(path), nullptr);
    EXPECT_EQ(LastLoadError().rfind(path + " cannot be loaded: it is cut short: a loadable segment ends at byte ", 0),
              0u)
        << LastLoadError();
    std::filesystem::remove_all(pattern);
}
