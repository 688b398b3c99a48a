#include "shell_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "app_object.h"
#include "err.h"
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

// The text viewer that stands in for notepad: program and leading arguments.
std::vector<std::string> textViewer() {
    if (std::string xdg = findInPath("xdg-open"); !xdg.empty()) return {xdg};
    if (!::isatty(STDIN_FILENO)) return {};
    for (const char* var : {"VISUAL", "EDITOR"}) {
        const char* value = std::getenv(var);
        if (!value || !*value) continue;
        std::vector<std::string> words = splitWords(value);
        if (words.empty()) continue;
        std::string program = findProgram(words[0]);
        if (program.empty()) continue;
        words[0] = program;
        return words;
    }
    return {};
}

bool isNotepad(const std::string& word) {
    return word.find('/') == std::string::npos &&
           (utf8::CompareNoCase(word, "notepad") == 0 || utf8::CompareNoCase(word, "notepad.exe") == 0);
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
    std::vector<std::string> words = splitWords(command);
    if (words.empty()) return {};
    std::vector<std::string> program;
    if (isNotepad(words[0])) {
        program = textViewer();
    } else if (std::string file = findProgram(words[0]); !file.empty()) {
        program = {file};
    }
    if (program.empty()) return {};
    program.insert(program.end(), words.begin() + 1, words.end());
    return program;
}

double Shell(const std::string& command, int windowStyle) {
    if (windowStyle < 0 || windowStyle > 6) RaiseError(errors::InvalidProcedureCall);
    std::vector<std::string> words = ResolveShellCommand(command);
    if (words.empty()) RaiseError(errors::FileNotFound);
    pid_t pid = spawnDetached(words);
    if (pid <= 0) RaiseError(errors::FileNotFound);
    return static_cast<double>(pid);
}

}  // namespace vb
