#include "x11_properties.h"

#include <QGuiApplication>

#ifdef ORVANTA_WIN_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <mutex>
#include <unordered_map>
#endif

namespace win::x11 {

#ifdef ORVANTA_WIN_HAVE_XCB

namespace {

xcb_connection_t* Connection() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Atoms by name, for the connection they were made on.
xcb_atom_t Atom(xcb_connection_t* c, const std::string& name) {
    static std::mutex mutex;
    static xcb_connection_t* owner = nullptr;
    static std::unordered_map<std::string, xcb_atom_t> atoms;
    {
        std::lock_guard lock(mutex);
        if (owner != c) {
            atoms.clear();
            owner = c;
        }
        if (auto it = atoms.find(name); it != atoms.end()) return it->second;
    }
    auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    if (!reply) return XCB_ATOM_NONE;
    xcb_atom_t atom = reply->atom;
    std::free(reply);
    std::lock_guard lock(mutex);
    if (owner == c) atoms[name] = atom;
    return atom;
}

}  // namespace

bool Active() {
    return Connection() != nullptr;
}

void SetProperty(std::uint64_t window, const std::string& name, std::uintptr_t value) {
    xcb_connection_t* c = Connection();
    if (!c || !window || name.empty() || name.size() > 0xFFFF) return;
    xcb_atom_t atom = Atom(c, name);
    if (atom == XCB_ATOM_NONE) return;
    const std::uint64_t wide = value;
    std::uint32_t data[2] = {static_cast<std::uint32_t>(wide & 0xFFFFFFFFu),
                             static_cast<std::uint32_t>(wide >> 32)};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window), atom,
                        XCB_ATOM_CARDINAL, 32, data[1] ? 2 : 1, data);
    xcb_flush(c);
}

void DeleteProperty(std::uint64_t window, const std::string& name) {
    xcb_connection_t* c = Connection();
    if (!c || !window || name.empty() || name.size() > 0xFFFF) return;
    xcb_atom_t atom = Atom(c, name);
    if (atom == XCB_ATOM_NONE) return;
    xcb_delete_property(c, static_cast<xcb_window_t>(window), atom);
    xcb_flush(c);
}

#else  // built without xcb: nothing to mirror onto

bool Active() { return false; }
void SetProperty(std::uint64_t, const std::string&, std::uintptr_t) {}
void DeleteProperty(std::uint64_t, const std::string&) {}

#endif

}  // namespace win::x11
