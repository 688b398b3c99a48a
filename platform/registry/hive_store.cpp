#include "hive_store.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <string>

#include "err.h"
#include "hive_format.h"

namespace reg {
namespace {

[[noreturn]] void RaiseIo(int err, const std::string& what, const std::string& path) {
    int number = vb::errors::PathFileAccessError;
    if (err == EACCES || err == EPERM || err == EROFS) number = vb::errors::PermissionDenied;
    else if (err == ENOSPC || err == EDQUOT) number = vb::errors::DiskFull;
    throw vb::VBError(number, what + " registry file \"" + path + "\": " + std::strerror(err));
}

// Closes a descriptor on every path.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(Fd&& other) noexcept : fd_(other.release()) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// The file's bytes; nothing when it does not exist.
bool ReadWholeFile(const std::string& path, std::string& text) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return false;
        RaiseIo(errno, "Cannot read", path);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) RaiseIo(errno, "Cannot read", path);
    if (!S_ISREG(st.st_mode)) RaiseIo(EISDIR, "Cannot read", path);
    text.clear();
    char buf[65536];
    while (true) {
        ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            RaiseIo(errno, "Cannot read", path);
        }
        if (n == 0) break;
        text.append(buf, static_cast<std::size_t>(n));
    }
    return true;
}

KeyNode LoadFrom(Hive hive, const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text)) return KeyNode();
    try {
        return ReadHive(text, HiveName(hive));
    } catch (const HiveFormatError& e) {
        std::string where = e.line() > 0 ? " (line " + std::to_string(e.line()) + ": " + e.what() + ")"
                                         : std::string(" (") + e.what() + ")";
        throw vb::VBError(vb::errors::InvalidFileFormat,
                          "Registry file \"" + path + "\" is corrupt" + where + "; it was left unchanged");
    }
}

void MakeFolders(const std::string& folder) {
    std::string partial;
    std::size_t pos = 0;
    while (pos != std::string::npos) {
        pos = folder.find('/', pos + 1);
        partial = folder.substr(0, pos);
        if (partial.empty()) continue;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            RaiseIo(errno, "Cannot create the folder of", folder);
    }
}

void WriteAll(int fd, const std::string& text, const std::string& path) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            RaiseIo(errno, "Cannot write", path);
        }
        done += static_cast<std::size_t>(n);
    }
}

// Writes `text` beside `path` and renames it over `path`.
void ReplaceFile(const std::string& folder, const std::string& path, const std::string& text) {
    static std::atomic<unsigned> counter{0};
    const std::string temp = path + ".tmp." + std::to_string(::getpid()) + "." +
                             std::to_string(counter.fetch_add(1));
    Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (fd.get() < 0) RaiseIo(errno, "Cannot write", path);
    try {
        WriteAll(fd.get(), text, path);
        if (::fsync(fd.get()) != 0) RaiseIo(errno, "Cannot write", path);
        if (::close(fd.release()) != 0) RaiseIo(errno, "Cannot write", path);
        if (::rename(temp.c_str(), path.c_str()) != 0) RaiseIo(errno, "Cannot replace", path);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    // Make the rename itself durable.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

// Removes the temporary files of `path` ("<path>.tmp.<pid>.<n>") that
// writers which no longer run left behind. Called under the hive's lock.
void RemoveStaleTemporaries(const std::string& folder, const std::string& path) {
    const std::string prefix = std::filesystem::path(path).filename().string() + ".tmp.";
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size();
        pid_t pid = 0;
        const auto [rest, err] = std::from_chars(first, last, pid);
        if (err != std::errc() || rest == first || rest == last || *rest != '.' || pid <= 0) continue;
        if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        ::unlink(it->path().c_str());
    }
}

// The hive's lock, held while the descriptor is open.
Fd LockHive(Hive hive, const std::string& folder, const std::string& path) {
    MakeFolders(folder);
    const std::string lockPath = folder + "/" + HiveName(hive) + ".lock";
    Fd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.get() < 0) RaiseIo(errno, "Cannot lock", path);
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR) RaiseIo(errno, "Cannot lock", path);
    }
    RemoveStaleTemporaries(folder, path);
    return lock;
}

// The transactions open on this thread, by hive.
std::array<HiveTransaction::State*, 3>& OpenTransactions() {
    thread_local std::array<HiveTransaction::State*, 3> open{};
    return open;
}
HiveTransaction::State*& OpenTransaction(Hive hive) { return OpenTransactions()[static_cast<std::size_t>(hive)]; }

}  // namespace

struct HiveTransaction::State {
    Hive hive;
    std::string folder;
    std::string path;
    Fd lock;
    KeyNode root;
    bool changed = false;
};

KeyNode LoadHive(Hive hive) {
    if (const HiveTransaction::State* open = OpenTransaction(hive)) return open->root.Clone();
    return LoadFrom(hive, HiveFilePath(hive));
}

bool UpdateHive(Hive hive, const std::function<bool(KeyNode&)>& change) {
    if (HiveTransaction::State* open = OpenTransaction(hive)) {
        KeyNode root = open->root.Clone();
        if (!change(root)) return false;
        open->root = std::move(root);
        open->changed = true;
        return true;
    }
    const std::string folder = RegistryFolder();
    const std::string path = HiveFilePath(hive);
    const Fd lock = LockHive(hive, folder, path);

    KeyNode root = LoadFrom(hive, path);
    if (!change(root)) return false;
    ReplaceFile(folder, path, WriteHive(root, HiveName(hive)));
    return true;
}

HiveTransaction::HiveTransaction(Hive hive) {
    if (OpenTransaction(hive)) return;  // joins the open one
    const std::string folder = RegistryFolder();
    const std::string path = HiveFilePath(hive);
    Fd lock = LockHive(hive, folder, path);
    KeyNode root = LoadFrom(hive, path);
    state_.reset(new State{hive, folder, path, std::move(lock), std::move(root)});
    OpenTransaction(hive) = state_.get();
}

HiveTransaction::~HiveTransaction() {
    if (state_ && OpenTransaction(state_->hive) == state_.get()) OpenTransaction(state_->hive) = nullptr;
}

void HiveTransaction::Commit() {
    if (!state_ || OpenTransaction(state_->hive) != state_.get()) return;
    if (state_->changed) ReplaceFile(state_->folder, state_->path, WriteHive(state_->root, HiveName(state_->hive)));
    OpenTransaction(state_->hive) = nullptr;
    state_.reset();
}

}  // namespace reg
