#pragma once
// The version block of a program: data linked into the executable by the
// CMake function orvanta_version_block(), read at run time through App.
// The generated source defines
//     extern "C" const vb::VersionBlock orvanta_version_block = {...};
// a program without one has no such symbol and App gives defaults.

namespace vb {

struct VersionBlock {
    const char* title;
    const char* fileDescription;
    const char* internalName;
    const char* originalFilename;
    const char* productName;
    const char* comments;
    const char* fileVersion;  // "1.00.0038": major, minor, revision
    const char* companyName;
    const char* legalCopyright;
    const char* productVersion;
};

}  // namespace vb
