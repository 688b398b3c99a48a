// pblib_write PROGRAM MANIFEST SOURCE_DIR...
// Appends the object library described by MANIFEST to the linked PROGRAM,
// replacing a library the file already carries. Each manifest line names an
// entry, in directory order: NAME SIZE KIND ARGS...
//   file PATH             the file's bytes (pictures)
//   class PATH            a class source, compiled to the class entry format
//   datawindow PATH       a DataWindow source, compiled to the DataWindow format
//   objectlist APP NAMES  the object list: application entry, then the classes
// SIZE is the entry's size: shorter content is padded with zero bytes, longer
// content is an error. Paths are looked up in the SOURCE_DIRs in order.
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "class_source.h"
#include "library_file.h"

namespace fs = std::filesystem;

namespace {

pbvm::Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return pbvm::Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

fs::path findSource(const std::string& name, const std::vector<fs::path>& dirs) {
    for (const auto& d : dirs)
        if (fs::exists(d / name)) return d / name;
    throw std::runtime_error("no source file " + name);
}

// Cuts a library that an earlier run appended, so the program is as linked.
void removeOldLibrary(const std::string& program) {
    std::string error;
    auto old = pbvm::LibraryReader::Open(program, error);
    if (old) fs::resize_file(program, old->headerOffset());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: pblib_write PROGRAM MANIFEST SOURCE_DIR...\n";
        return 2;
    }
    try {
        const std::string program = argv[1];
        std::vector<fs::path> dirs(argv + 3, argv + argc);
        std::ifstream manifest(argv[2]);
        if (!manifest) throw std::runtime_error(std::string("cannot read ") + argv[2]);
        std::vector<pbvm::LibraryEntry> entries;
        std::string line;
        int number = 0;
        while (std::getline(manifest, line)) {
            ++number;
            std::istringstream words(line);
            std::string name, kind;
            std::size_t size = 0;
            if (!(words >> name) || name[0] == '#') continue;
            if (!(words >> size >> kind))
                throw std::runtime_error("manifest line " + std::to_string(number) + ": NAME SIZE KIND expected");
            std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
            pbvm::Bytes data;
            if (kind == "file" && args.size() == 1) {
                data = readFile(findSource(args[0], dirs));
            } else if (kind == "class" && args.size() == 1) {
                data = pbvm::CompileClassSource(readFile(findSource(args[0], dirs)));
            } else if (kind == "datawindow" && args.size() == 1) {
                data = pbvm::CompileDataWindowSource(readFile(findSource(args[0], dirs)));
            } else if (kind == "objectlist" && args.size() >= 1) {
                data = pbvm::BuildObjectList(args[0], {args.begin() + 1, args.end()});
            } else {
                throw std::runtime_error("manifest line " + std::to_string(number) + ": unknown kind " + kind);
            }
            if (data.size() > size)
                throw std::runtime_error(name + " is " + std::to_string(data.size()) + " bytes, more than its " +
                                         std::to_string(size));
            data.resize(size, 0);
            entries.push_back({name, std::move(data), 0});
        }
        removeOldLibrary(program);
        pbvm::AppendLibrary(program, entries, static_cast<std::uint32_t>(std::time(nullptr)));
    } catch (const std::exception& e) {
        std::cerr << "pblib_write: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
