#include "module_check.h"

#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace com {

namespace {

using Ehdr = ElfW(Ehdr);
using Phdr = ElfW(Phdr);

#if defined(__x86_64__)
constexpr unsigned kMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr unsigned kMachine = EM_AARCH64;
#elif defined(__i386__)
constexpr unsigned kMachine = EM_386;
#elif defined(__arm__)
constexpr unsigned kMachine = EM_ARM;
#elif defined(__riscv)
constexpr unsigned kMachine = EM_RISCV;
#elif defined(__powerpc64__)
constexpr unsigned kMachine = EM_PPC64;
#elif defined(__s390x__)
constexpr unsigned kMachine = EM_S390;
#else
constexpr unsigned kMachine = EM_NONE;  // not known here: any machine passes
#endif

constexpr unsigned char kClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char kData = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;

// True when [offset, offset + size) lies inside [0, limit), without overflow.
bool Within(std::uint64_t offset, std::uint64_t size, std::uint64_t limit) {
    return offset <= limit && size <= limit - offset;
}

std::string CutShort(const char* what, std::uint64_t end, std::uint64_t fileSize) {
    return std::string("it is cut short: ") + what + " ends at byte " + std::to_string(end) + ", the file has " +
           std::to_string(fileSize);
}

std::optional<std::string> HeaderProblem(const Ehdr& h) {
    if (std::memcmp(h.e_ident, ELFMAG, SELFMAG) != 0) return "it is not an ELF file";
    if (h.e_ident[EI_CLASS] != kClass) return "it is an ELF file of another word size";
    if (h.e_ident[EI_DATA] != kData) return "it is an ELF file of another byte order";
    if (h.e_ident[EI_VERSION] != EV_CURRENT || h.e_version != EV_CURRENT) return "its ELF version is unknown";
    if (h.e_type != ET_DYN) return "it is not a shared object";
    if (kMachine != EM_NONE && h.e_machine != kMachine) return "it is built for another machine";
    if (h.e_ehsize < sizeof(Ehdr)) return "its ELF header size is wrong";
    if (h.e_phentsize != sizeof(Phdr)) return "its program header size is wrong";
    if (h.e_phnum == 0 || h.e_phnum == PN_XNUM) return "its program header count is wrong";
    return std::nullopt;
}

// The dynamic section must lie in the file part of a loadable segment,
// where the loader reads it after mapping.
bool InsideALoadedSegment(const Phdr& dynamic, const std::vector<Phdr>& headers) {
    for (const Phdr& p : headers) {
        if (p.p_type != PT_LOAD || dynamic.p_vaddr < p.p_vaddr) continue;
        if (Within(dynamic.p_vaddr - p.p_vaddr, dynamic.p_filesz, p.p_filesz)) return true;
    }
    return false;
}

std::optional<std::string> SegmentProblem(const std::vector<Phdr>& headers, std::uint64_t fileSize) {
    bool loadable = false;
    for (const Phdr& p : headers) {
        if (p.p_type == PT_NULL) continue;
        if (!Within(p.p_offset, p.p_filesz, fileSize)) {
            const char* what = p.p_type == PT_LOAD      ? "a loadable segment"
                               : p.p_type == PT_DYNAMIC ? "the dynamic section"
                                                        : "a segment";
            const std::uint64_t end = p.p_offset + p.p_filesz;
            return CutShort(what, end < p.p_offset ? UINT64_MAX : end, fileSize);
        }
        if (p.p_type == PT_LOAD) {
            loadable = true;
            if (p.p_filesz > p.p_memsz) return std::string("a loadable segment holds more than it maps");
        }
    }
    if (!loadable) return std::string("it has no loadable segment");
    for (const Phdr& p : headers) {
        if (p.p_type == PT_DYNAMIC && !InsideALoadedSegment(p, headers))
            return std::string("its dynamic section lies outside its loadable segments");
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ElfImageProblem(std::uint64_t fileSize, const ModuleBytesReader& read) {
    Ehdr header{};
    if (fileSize < sizeof header) return CutShort("the ELF header", sizeof header, fileSize);
    if (!read(0, &header, sizeof header)) return std::string("its ELF header cannot be read");
    if (auto problem = HeaderProblem(header)) return problem;
    const std::uint64_t tableSize = std::uint64_t{header.e_phnum} * sizeof(Phdr);
    if (!Within(header.e_phoff, tableSize, fileSize)) {
        const std::uint64_t end = header.e_phoff + tableSize;
        return CutShort("the program header table", end < header.e_phoff ? UINT64_MAX : end, fileSize);
    }
    std::vector<Phdr> headers(header.e_phnum);
    if (!read(header.e_phoff, headers.data(), tableSize)) return std::string("its program headers cannot be read");
    return SegmentProblem(headers, fileSize);
}

std::optional<std::string> ElfImageProblem(std::string_view image) {
    return ElfImageProblem(image.size(), [image](std::uint64_t offset, void* out, std::size_t size) {
        if (!Within(offset, size, image.size())) return false;
        std::memcpy(out, image.data() + offset, size);
        return true;
    });
}

std::optional<std::string> ModuleFileProblem(const std::string& path) {
    // Not blocking: a FIFO must not hold the caller up; it fails below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<std::string> problem;
    if (::fstat(fd, &st) != 0) {
        problem = std::string("its size cannot be read: ") + std::strerror(errno);
    } else if (!S_ISREG(st.st_mode)) {
        problem = std::string("it is not a regular file");
    } else {
        problem = ElfImageProblem(static_cast<std::uint64_t>(st.st_size),
                                  [fd](std::uint64_t offset, void* out, std::size_t size) {
                                      auto* at = static_cast<char*>(out);
                                      while (size > 0) {
                                          const ssize_t n = ::pread(fd, at, size, static_cast<off_t>(offset));
                                          if (n < 0 && errno == EINTR) continue;
                                          if (n <= 0) return false;
                                          at += n;
                                          offset += static_cast<std::uint64_t>(n);
                                          size -= static_cast<std::size_t>(n);
                                      }
                                      return true;
                                  });
    }
    ::close(fd);
    if (!problem) return std::nullopt;
    return path + " cannot be loaded: " + *problem;
}

}  // namespace com
