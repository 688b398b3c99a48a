#pragma once
// Built module files as bytes, cut or changed copies of them, and the
// registration tool run as a program on them.
#include <elf.h>
#include <link.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace zevote::testing {

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Where the last loadable segment of an intact module's bytes ends: a copy
// cut before it cannot be mapped whole.
inline std::size_t LoadableEnd(const std::string& image) {
    ElfW(Ehdr) header;
    std::memcpy(&header, image.data(), sizeof header);
    std::size_t end = 0;
    for (int i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) p;
        std::memcpy(&p, image.data() + header.e_phoff + i * sizeof p, sizeof p);
        if (p.p_type == PT_LOAD) end = std::max<std::size_t>(end, p.p_offset + p.p_filesz);
    }
    return end;
}

struct ToolRun {
    bool exited = false;  // false: ended by a signal
    int exitCode = -1;
    std::string output;   // standard output and error
};

// Runs the program folder's regsvr with `args` (quoted by the caller) and
// the environment settings `env` ("NAME=value ...").
inline ToolRun RunRegsvr(const std::string& programFolder, const std::string& args, const std::string& env = "") {
    ToolRun run;
    const std::string command = "env " + env + " '" + programFolder + "/regsvr' " + args + " 2>&1";
    FILE* p = popen(command.c_str(), "r");
    if (!p) return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, p)) run.output += buffer;
    const int status = pclose(p);
    // env passes a signal on as the shell reports it: 128 + signal.
    run.exited = WIFEXITED(status) && WEXITSTATUS(status) < 128;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace zevote::testing
