#pragma once
// The App object: the running program's folder, name and version block.
#include <string>

namespace vb {

class AppObject {
public:
    // Folder of the running executable, without a trailing separator
    // (except for the root folder itself).
    std::string Path() const;
    // File name of the executable without folder and without ".exe".
    std::string EXEName() const;
    // The version block's title, else the executable's name; settable.
    std::string Title() const;
    void SetTitle(const std::string& title);

    std::string FileDescription() const;
    std::string ProductName() const;
    std::string CompanyName() const;
    std::string LegalCopyright() const;
    std::string Comments() const;
    std::string InternalName() const;
    std::string OriginalFilename() const;
    std::string FileVersion() const;  // "1.00.0038"
    std::string ProductVersion() const;  // the file version unless the block says otherwise
    int Major() const;     // 1
    int Minor() const;     // 0
    int Revision() const;  // 38

    // Lets a test place the program folder elsewhere; an empty text goes
    // back to the real folder.
    void SetPathForTesting(const std::string& path);

private:
    std::string title_;
    bool titleSet_ = false;
    std::string testPath_;
};

// The program's App object.
AppObject& App();

}  // namespace vb
