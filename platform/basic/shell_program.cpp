#include "shell_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "app_object.h"
#include "err.h"
#include "program_hooks.h"
#include "program_path.h"
#include "utf8.h"

namespace vb {

namespace {

// Words of a command line: blanks separate, double quotes group.
std::vector<std::string> splitWords(const std::string& s) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : s) {
        if (c == '"') { quoted = !quoted; inWord = true; continue; }
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
            continue;
        }
        word += c;
        inWord = true;
    }
    if (inWord) words.push_back(word);
    return words;
}

std::string findInPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (!path) return "";
    std::string dirs = path;
    for (std::size_t start = 0; start <= dirs.size();) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = end > start ? dirs.substr(start, end - start) : std::string(1, '.');
        if (std::string found = detail::ResolveProgramFile(detail::JoinPath(dir, name)); !found.empty()) return found;
        start = end + 1;
    }
    return "";
}

std::string findProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) return detail::ResolveProgramFile(name);
    for (const std::string& dir : {App().Path(), std::string(".")})
        if (std::string found = detail::ResolveProgramFile(detail::JoinPath(dir, name)); !found.empty()) return found;
    return findInPath(name);
}

bool isNotepad(const std::string& word) {
    return word.find('/') == std::string::npos &&
           (utf8::CompareNoCase(word, "notepad") == 0 || utf8::CompareNoCase(word, "notepad.exe") == 0);
}

// Where the first word of a command line ends (blanks separate, double
// quotes group, as in splitWords).
std::size_t endOfFirstWord(const std::string& s) {
    std::size_t i = s.find_first_not_of(" \t");
    bool quoted = false;
    for (; i != std::string::npos && i < s.size(); ++i) {
        if (s[i] == '"') quoted = !quoted;
        else if ((s[i] == ' ' || s[i] == '\t') && !quoted) return i;
    }
    return s.size();
}

// For "notepad FILE": FILE as a full path, "" when no file is named. Like the
// viewer it stands for, the whole rest of the line is the one file name,
// blanks and all, quotes dropped. Nothing for any other program.
std::optional<std::string> notepadFile(const std::string& command) {
    const std::vector<std::string> words = splitWords(command);
    if (words.empty() || !isNotepad(words[0])) return std::nullopt;
    std::string file = command.substr(endOfFirstWord(command));
    std::erase(file, '"');
    const std::size_t first = file.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    file = file.substr(first, file.find_last_not_of(" \t") - first + 1);
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(file, ec);
    return (ec ? std::filesystem::path(file) : full).lexically_normal().string();
}

// Starts argv[0] in a grandchild so that init reaps it; returns its pid, or
// -1 when it could not be started.
pid_t spawnDetached(const std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (const auto& w : words) argv.push_back(const_cast<char*>(w.c_str()));
    argv.push_back(nullptr);

    int pidPipe[2], execPipe[2];
    if (::pipe2(pidPipe, O_CLOEXEC) != 0) return -1;
    if (::pipe2(execPipe, O_CLOEXEC) != 0) {
        ::close(pidPipe[0]);
        ::close(pidPipe[1]);
        return -1;
    }
    pid_t child = ::fork();
    if (child == 0) {
        // Only async-signal-safe calls from here to exec.
        pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::setsid();
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            ::signal(SIGPIPE, SIG_DFL);
            ::execv(argv[0], argv.data());
            int error = errno;
            [[maybe_unused]] ssize_t n = ::write(execPipe[1], &error, sizeof error);
            ::_exit(127);
        }
        [[maybe_unused]] ssize_t n = ::write(pidPipe[1], &grandchild, sizeof grandchild);
        ::_exit(0);
    }
    ::close(pidPipe[1]);
    ::close(execPipe[1]);
    pid_t grandchild = -1;
    if (child > 0) {
        while (::read(pidPipe[0], &grandchild, sizeof grandchild) < 0 && errno == EINTR) {}
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {}
        if (grandchild > 0) {
            int error = 0;
            ssize_t n;
            while ((n = ::read(execPipe[0], &error, sizeof error)) < 0 && errno == EINTR) {}
            if (n == sizeof error) grandchild = -1;  // exec failed; the child has gone
        }
    }
    ::close(pidPipe[0]);
    ::close(execPipe[0]);
    return grandchild;
}

}  // namespace

std::vector<std::string> ResolveShellCommand(const std::string& command) {
    if (std::optional<std::string> file = notepadFile(command)) {
        std::string viewer = findInPath("xdg-open");
        if (viewer.empty() || file->empty()) return {};
        return {viewer, *file};
    }
    std::vector<std::string> words = splitWords(command);
    if (words.empty()) return {};
    std::string program = findProgram(words[0]);
    if (program.empty()) return {};
    words[0] = program;
    return words;
}

double Shell(const std::string& command, int windowStyle) {
    if (windowStyle < 0 || windowStyle > 6) RaiseError(errors::InvalidProcedureCall);
    std::vector<std::string> words = ResolveShellCommand(command);
    if (words.empty()) {
        // A text file with no desktop viewer at hand: the program's own.
        std::optional<std::string> file = notepadFile(command);
        if (file && !file->empty() && ShowTextFile(*file)) return static_cast<double>(::getpid());
        RaiseError(errors::FileNotFound);
    }
    pid_t pid = spawnDetached(words);
    if (pid <= 0) RaiseError(errors::FileNotFound);
    return static_cast<double>(pid);
}

}  // namespace vb
