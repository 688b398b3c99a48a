#pragma once
// The container side of a hosted ActiveX control: creates the control from
// the registry, gives it a client site (ambient properties, extended
// control, in-place site) and an in-place frame, and activates it in the
// host's container window.
#include <memory>
#include <optional>
#include <string>

#include "activex_host.h"
#include "guid.h"
#include "unknown.h"

namespace forms::detail {

struct ActiveXComponent {
    std::string file;
    std::optional<com::GUID> libid;
    com::WORD major = 1, minor = 0;
};
// The component declared for a type-library name; null when none.
const ActiveXComponent* DeclaredComponent(const std::string& typeLibName);

// The CLSID of a class name "Library.Class" (see RegisterActiveXComponent);
// false when the registry does not know it.
bool ResolveActiveXClass(const std::string& progId, com::CLSID* clsid);

// The control of the host's class, created and activated in place. Raises
// error 339 (naming the component file) when the class is not registered
// or cannot be created.
std::unique_ptr<ActiveXInstance> CreateRegisteredControl(ActiveXHost& host);

// "Component '<file>' or one of its dependencies not correctly registered:
// a file is missing or invalid"
std::string ComponentNotRegisteredText(const std::string& fileName);

}  // namespace forms::detail
