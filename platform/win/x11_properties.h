#pragma once
// Window properties mirrored onto X11 native windows, so that outside tools
// (xprop, testing tools) can read them. A value that fits 32 bits is one
// CARDINAL; a wider one two CARDINALs, low half first.
#include <cstdint>
#include <string>

namespace win::x11 {

// True when the application runs on X11 (Qt platform "xcb") and the layer
// was built with xcb.
bool Active();

// Both do nothing when not Active() or when window is 0. Requests are sent
// at once (flushed), not waited for.
void SetProperty(std::uint64_t window, const std::string& name, std::uintptr_t value);
void DeleteProperty(std::uint64_t window, const std::string& name);

}  // namespace win::x11
