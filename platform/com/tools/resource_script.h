#pragma once
// The resource-script compiler: reads a script (see resources.h) and the
// files it names, and builds the module's resource records.
#include <stdexcept>
#include <string>
#include <vector>

#include "resource_format.h"

namespace com::rc {

struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CompiledScript {
    std::vector<format::ResourceRecord> records;
    std::vector<std::string> inputs;  // files read (for the build's dependencies)
};

// Throws ScriptError ("<script>:<line>: message").
CompiledScript CompileScript(const std::string& scriptPath);

// The C++ source that links the block into a module under kResourceSymbol.
std::string ResourceSource(const std::string& block, const std::string& scriptName);

}  // namespace com::rc
