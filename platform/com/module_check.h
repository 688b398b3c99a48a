#pragma once
// A look at a shared object file before the system loader maps it. The
// loader maps each loadable segment at the length its program header gives
// and touches it; a file cut short or damaged there kills the process with a
// bus error or a segmentation fault instead of failing to load. The check
// reads the ELF header and the program header table only (section headers
// may be stripped) and refuses a file whose header does not fit this build
// or whose segments, dynamic section or program header table reach past
// its end.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace com {

// Reads `size` bytes at `offset` into `out`; false when they cannot all be had.
using ModuleBytesReader = std::function<bool(std::uint64_t offset, void* out, std::size_t size)>;

// What is wrong with an ELF image of `fileSize` bytes read through `read`;
// nothing when it may be handed to the loader.
std::optional<std::string> ElfImageProblem(std::uint64_t fileSize, const ModuleBytesReader& read);
// The same over the bytes of a whole file in memory.
std::optional<std::string> ElfImageProblem(std::string_view image);
// The same over the file at `path`, with the path in the text. A file that
// cannot be opened is no problem of its own: the loader reports it as it
// reports a missing file.
std::optional<std::string> ModuleFileProblem(const std::string& path);

}  // namespace com
