// vbrc SCRIPT OUTPUT.cpp [DEPFILE]: compiles a resource script into a C++
// source that links the resources into a module.
#include <fstream>
#include <iostream>

#include "resource_script.h"

namespace {
std::string DepPath(const std::string& p) {
    std::string out;
    for (char c : p) {
        if (c == ' ') out += '\\';
        out += c;
    }
    return out;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: vbrc SCRIPT OUTPUT.cpp [DEPFILE]\n";
        return 2;
    }
    try {
        const com::rc::CompiledScript compiled = com::rc::CompileScript(argv[1]);
        const std::string block = com::format::EncodeResourceBlock(compiled.records);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out << com::rc::ResourceSource(block, argv[1]);
        if (!out) {
            std::cerr << "vbrc: cannot write " << argv[2] << "\n";
            return 1;
        }
        if (argc == 4) {
            std::ofstream dep(argv[3], std::ios::trunc);
            dep << DepPath(argv[2]) << ":";
            for (const std::string& in : compiled.inputs) dep << " \\\n  " << DepPath(in);
            dep << " \\\n  " << DepPath(argv[1]) << "\n";
        }
    } catch (const com::rc::ScriptError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
