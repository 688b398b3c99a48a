#include "file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <mutex>

#include "err.h"

namespace vb {

namespace {

struct OpenFile {
    std::FILE* file = nullptr;
    OpenMode mode = OpenMode::Input;
    dev_t device = 0;
    ino_t inode = 0;
};

std::mutex mutex;
std::map<int, OpenFile>& table() {
    static std::map<int, OpenFile> files;
    return files;
}

bool folderExists(const std::string& path) {
    auto slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    struct stat st{};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int errorFor(int error, const std::string& path, OpenMode mode) {
    switch (error) {
    case ENOENT: return mode == OpenMode::Input && folderExists(path) ? errors::FileNotFound : errors::PathNotFound;
    case ENOTDIR: return errors::PathNotFound;
    case ENAMETOOLONG: return errors::BadFileNameOrNumber;
    case EMFILE: case ENFILE: return errors::TooManyFiles;
    case ENOSPC: case EDQUOT: return errors::DiskFull;
    default: return errors::PathFileAccessError;  // EACCES, EPERM, EROFS, EISDIR, ...
    }
}

int writeError(int error) { return error == ENOSPC || error == EDQUOT ? errors::DiskFull : errors::DeviceIOError; }

OpenFile& openFile(int fileNumber) {
    auto it = table().find(fileNumber);
    if (it == table().end()) RaiseError(errors::BadFileNameOrNumber);
    return it->second;
}

void write(int fileNumber, const std::string& text) {
    std::lock_guard lock(mutex);
    OpenFile& f = openFile(fileNumber);
    if (f.mode == OpenMode::Input) RaiseError(errors::BadFileMode);
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), f.file) != text.size()) {
        int e = errno;
        std::clearerr(f.file);
        RaiseError(writeError(e));
    }
}

}  // namespace

int FreeFile() {
    std::lock_guard lock(mutex);
    for (int n = 1; n <= 255; ++n)
        if (!table().count(n)) return n;
    RaiseError(errors::TooManyFiles);
}

void Open(const std::string& path, OpenMode mode, int fileNumber) {
    std::lock_guard lock(mutex);
    if (fileNumber < 1 || fileNumber > 511) RaiseError(errors::BadFileNameOrNumber);
    if (table().count(fileNumber)) RaiseError(errors::FileAlreadyOpen);
    if (path.empty() || path.find('\0') != std::string::npos) RaiseError(errors::BadFileNameOrNumber);

    // The same file may be read under several numbers, but never written
    // under one while open under another.
    struct stat st{};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) RaiseError(errors::PathFileAccessError);
        for (const auto& [n, f] : table())
            if (f.device == st.st_dev && f.inode == st.st_ino &&
                (mode != OpenMode::Input || f.mode != OpenMode::Input))
                RaiseError(errors::FileAlreadyOpen);
    }

    const char* how = mode == OpenMode::Input ? "rb" : mode == OpenMode::Output ? "wb" : "ab";
    std::FILE* file = std::fopen(path.c_str(), how);
    if (!file) RaiseError(errorFor(errno, path, mode));
    OpenFile entry{file, mode};
    if (::fstat(fileno(file), &st) == 0) {
        entry.device = st.st_dev;
        entry.inode = st.st_ino;
    }
    table()[fileNumber] = entry;
}

std::string LineInput(int fileNumber) {
    std::lock_guard lock(mutex);
    OpenFile& f = openFile(fileNumber);
    if (f.mode != OpenMode::Input) RaiseError(errors::BadFileMode);
    int c = std::getc(f.file);
    if (c == EOF) RaiseError(errors::InputPastEndOfFile);
    std::string line;
    for (; c != EOF; c = std::getc(f.file)) {
        if (c == '\n') break;
        if (c == '\r') {
            int next = std::getc(f.file);
            if (next != '\n' && next != EOF) std::ungetc(next, f.file);
            break;
        }
        line += static_cast<char>(c);
    }
    return line;
}

void Print(int fileNumber, const std::string& text) { write(fileNumber, text + "\r\n"); }

void PrintPart(int fileNumber, const std::string& text) { write(fileNumber, text); }

bool Eof(int fileNumber) {
    std::lock_guard lock(mutex);
    OpenFile& f = openFile(fileNumber);
    if (f.mode != OpenMode::Input) RaiseError(errors::BadFileMode);
    int c = std::getc(f.file);
    if (c == EOF) return true;
    std::ungetc(c, f.file);
    return false;
}

void Close(int fileNumber) {
    std::FILE* file = nullptr;
    {
        std::lock_guard lock(mutex);
        auto it = table().find(fileNumber);
        if (it == table().end()) return;
        file = it->second.file;
        table().erase(it);
    }
    if (std::fclose(file) != 0) RaiseError(writeError(errno));
}

void Close() {
    std::map<int, OpenFile> files;
    {
        std::lock_guard lock(mutex);
        files.swap(table());
    }
    int failure = 0;
    for (auto& [n, f] : files)
        if (std::fclose(f.file) != 0 && !failure) failure = writeError(errno);
    if (failure) RaiseError(failure);
}

}  // namespace vb
