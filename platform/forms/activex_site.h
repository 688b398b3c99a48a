#pragma once
// The container side of a hosted ActiveX control: creates the control from
// the registry, gives it a client site (ambient properties, extended
// control, in-place site) and an in-place frame, and activates it in the
// host's container window.
#include <memory>
#include <string>

#include "activex_host.h"

namespace forms::detail {

// The control of the host's class, created and activated in place. Raises
// error 339 (naming the component file) when the class is not registered
// or cannot be created.
std::unique_ptr<ActiveXInstance> CreateRegisteredControl(ActiveXHost& host);

// "Component '<file>' or one of its dependencies not correctly registered:
// a file is missing or invalid"
std::string ComponentNotRegisteredText(const std::string& fileName);

}  // namespace forms::detail
