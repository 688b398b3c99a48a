#include "app_object.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "program_path.h"
#include "version_block.h"

// Defined by the source that orvanta_version_block() generates; absent (null)
// in programs and tests without a version block.
extern "C" const vb::VersionBlock orvanta_version_block __attribute__((weak));

namespace vb {

namespace {

const VersionBlock* versionBlock() { return &orvanta_version_block; }

std::string field(const char* VersionBlock::*member) {
    const VersionBlock* block = versionBlock();
    if (!block || !(block->*member)) return "";
    return block->*member;
}

const std::string& executablePath() {
    static const std::string path = [] {
        std::vector<char> buf(PATH_MAX + 1);
        ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
        return n > 0 ? std::string(buf.data(), static_cast<std::size_t>(n)) : std::string();
    }();
    return path;
}

// Major, minor and revision of "1.00.0038".
int versionPart(const std::string& version, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = version.find('.', start);
        if (start == std::string::npos) return 0;
        ++start;
    }
    return std::atoi(version.c_str() + start);
}

}  // namespace

std::string AppObject::Path() const {
    if (!testPath_.empty()) return testPath_;
    const std::string& exe = executablePath();
    auto slash = exe.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : exe.substr(0, slash);
}

std::string AppObject::EXEName() const {
    const std::string& exe = executablePath();
    std::string name = exe.substr(exe.rfind('/') + 1);
    return name.size() > 4 ? detail::WithoutExeSuffix(name) : name;
}

std::string AppObject::Title() const {
    if (titleSet_) return title_;
    std::string t = field(&VersionBlock::title);
    return t.empty() ? EXEName() : t;
}

void AppObject::SetTitle(const std::string& title) {
    title_ = title;
    titleSet_ = true;
}

std::string AppObject::FileDescription() const { return field(&VersionBlock::fileDescription); }
std::string AppObject::ProductName() const { return field(&VersionBlock::productName); }
std::string AppObject::CompanyName() const { return field(&VersionBlock::companyName); }
std::string AppObject::LegalCopyright() const { return field(&VersionBlock::legalCopyright); }
std::string AppObject::Comments() const { return field(&VersionBlock::comments); }
std::string AppObject::InternalName() const { return field(&VersionBlock::internalName); }
std::string AppObject::OriginalFilename() const { return field(&VersionBlock::originalFilename); }

std::string AppObject::FileVersion() const {
    std::string v = field(&VersionBlock::fileVersion);
    return v.empty() ? "1.00.0000" : v;
}

std::string AppObject::ProductVersion() const {
    std::string v = field(&VersionBlock::productVersion);
    return v.empty() ? FileVersion() : v;
}

int AppObject::Major() const { return versionPart(FileVersion(), 0); }
int AppObject::Minor() const { return versionPart(FileVersion(), 1); }
int AppObject::Revision() const { return versionPart(FileVersion(), 2); }

void AppObject::SetPathForTesting(const std::string& path) { testPath_ = path; }

AppObject& App() {
    static AppObject app;
    return app;
}

}  // namespace vb
