#include "window_table.h"

#include <QObject>
#include <QWidget>

#include <unistd.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "native_property_mirror.h"

namespace win {
namespace {

struct Window {
    QWidget* widget = nullptr;
    std::string className;
    std::uint32_t style = 0;
    HWND parent = 0;
    std::uint64_t threadId = 0;
    std::uint32_t processId = 0;
    std::vector<std::pair<std::string, HANDLE>> props;  // in the order first set
    QMetaObject::Connection widgetGone;
};

struct Table {
    std::mutex mutex;
    std::map<HWND, Window> windows;  // handles grow, so this is creation order
    std::unordered_map<const QWidget*, HWND> byWidget;
    HWND next = 0x10010;
};

// Lives to the end of the process: widgets may be destroyed during static
// destruction and still report here.
Table& TheTable() {
    static Table* table = new Table;
    return *table;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

Window* Find(Table& t, HWND hwnd) {
    auto it = t.windows.find(hwnd);
    return it == t.windows.end() ? nullptr : &it->second;
}

auto FindProp(Window& w, const std::string& name) {
    return std::find_if(w.props.begin(), w.props.end(),
                        [&](const auto& p) { return SameName(p.first, name); });
}

void CollectBelow(const Table& t, HWND parent, std::vector<HWND>& out) {
    for (const auto& [hwnd, w] : t.windows) {
        if (w.parent == parent) {
            out.push_back(hwnd);
            CollectBelow(t, hwnd, out);
        }
    }
}

// Removes hwnd and everything below it. `dying` is a widget in the middle of
// destruction that must not be touched any more.
void Remove(HWND hwnd, const QWidget* dying) {
    std::vector<Window> removed;
    {
        Table& t = TheTable();
        std::lock_guard lock(t.mutex);
        if (!Find(t, hwnd)) return;
        std::vector<HWND> doomed{hwnd};
        CollectBelow(t, hwnd, doomed);
        for (HWND h : doomed) {
            auto it = t.windows.find(h);
            if (it->second.widget) t.byWidget.erase(it->second.widget);
            removed.push_back(std::move(it->second));
            t.windows.erase(it);
        }
    }
    for (Window& w : removed) {
        if (!w.widget) continue;
        QObject::disconnect(w.widgetGone);
        if (w.widget == dying) continue;
        std::vector<std::string> names;
        for (const auto& p : w.props) names.push_back(p.first);
        detail::ClearMirroredProperties(w.widget, std::move(names));
    }
}

}  // namespace

HWND CreateWindowHandle(QWidget* widget, const std::string& className, std::uint32_t style,
                        HWND parent) {
    Table& t = TheTable();
    HWND hwnd = 0;
    {
        std::lock_guard lock(t.mutex);
        if (parent && !Find(t, parent)) return 0;
        if (widget) {
            if (auto it = t.byWidget.find(widget); it != t.byWidget.end()) return it->second;
        }
        hwnd = t.next;
        t.next += 2;
        Window w;
        w.widget = widget;
        w.className = className;
        w.style = style;
        w.parent = parent;
        w.threadId = static_cast<std::uint64_t>(::gettid());
        w.processId = static_cast<std::uint32_t>(::getpid());
        t.windows.emplace(hwnd, std::move(w));
        if (widget) t.byWidget[widget] = hwnd;
    }
    if (widget) {
        // Connected outside the lock: the signal may fire at once on another
        // thread and take the lock itself.
        auto connection = QObject::connect(widget, &QObject::destroyed, [hwnd, widget] { Remove(hwnd, widget); });
        std::lock_guard lock(t.mutex);
        if (Window* w = Find(t, hwnd)) w->widgetGone = connection;
        else QObject::disconnect(connection);
    }
    if (widget) detail::WatchNativeWindow(widget);
    return hwnd;
}

void DestroyWindow(HWND hwnd) {
    Remove(hwnd, nullptr);
}

bool IsWindow(HWND hwnd) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    return Find(t, hwnd) != nullptr;
}

HWND GetParent(HWND hwnd) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    Window* w = Find(t, hwnd);
    return w ? w->parent : 0;
}

std::string GetClassName(HWND hwnd) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    Window* w = Find(t, hwnd);
    return w ? w->className : std::string();
}

std::uint32_t GetWindowStyle(HWND hwnd) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    Window* w = Find(t, hwnd);
    return w ? w->style : 0;
}

std::uint32_t SetWindowStyle(HWND hwnd, std::uint32_t style) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    Window* w = Find(t, hwnd);
    if (!w) return 0;
    return std::exchange(w->style, style);
}

std::uint64_t GetWindowThreadProcessId(HWND hwnd, std::uint32_t* processId) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    Window* w = Find(t, hwnd);
    if (processId) *processId = w ? w->processId : 0;
    return w ? w->threadId : 0;
}

QWidget* WidgetOf(HWND hwnd) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    Window* w = Find(t, hwnd);
    return w ? w->widget : nullptr;
}

HWND HandleOf(const QWidget* widget) {
    if (!widget) return 0;
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    auto it = t.byWidget.find(widget);
    return it == t.byWidget.end() ? 0 : it->second;
}

std::vector<HWND> ChildWindows(HWND parent) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    std::vector<HWND> children;
    for (const auto& [hwnd, w] : t.windows)
        if (w.parent == parent) children.push_back(hwnd);
    return children;
}

std::vector<HWND> TopLevelWindows() {
    return ChildWindows(0);
}

std::vector<HWND> DescendantWindows(HWND parent) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    std::vector<HWND> below;
    if (parent && Find(t, parent)) CollectBelow(t, parent, below);
    return below;
}

HWND SetParent(HWND hwnd, HWND newParent) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    Window* w = Find(t, hwnd);
    if (!w || newParent == hwnd || (newParent && !Find(t, newParent))) return 0;
    for (HWND up = newParent; up; up = t.windows.at(up).parent)
        if (up == hwnd) return 0;
    return std::exchange(w->parent, newParent);
}

bool SetProp(HWND hwnd, const std::string& name, HANDLE value) {
    if (name.empty()) return false;
    std::string stored = name;
    bool mirrored = false;
    {
        Table& t = TheTable();
        std::lock_guard lock(t.mutex);
        Window* w = Find(t, hwnd);
        if (!w) return false;
        if (auto it = FindProp(*w, name); it != w->props.end()) {
            it->second = value;
            stored = it->first;
        } else {
            w->props.emplace_back(name, value);
        }
        mirrored = w->widget != nullptr;
    }
    if (mirrored) detail::MirrorProperty(hwnd, stored);
    return true;
}

HANDLE GetProp(HWND hwnd, const std::string& name) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    Window* w = Find(t, hwnd);
    if (!w) return 0;
    auto it = FindProp(*w, name);
    return it == w->props.end() ? 0 : it->second;
}

bool HasProp(HWND hwnd, const std::string& name) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    Window* w = Find(t, hwnd);
    return w && FindProp(*w, name) != w->props.end();
}

HANDLE RemoveProp(HWND hwnd, const std::string& name) {
    HANDLE value = 0;
    std::string stored;
    bool mirrored = false;
    {
        Table& t = TheTable();
        std::lock_guard lock(t.mutex);
        Window* w = Find(t, hwnd);
        if (!w) return 0;
        auto it = FindProp(*w, name);
        if (it == w->props.end()) return 0;
        value = it->second;
        stored = it->first;
        w->props.erase(it);
        mirrored = w->widget != nullptr;
    }
    if (mirrored) detail::MirrorProperty(hwnd, stored);
    return value;
}

std::vector<std::string> PropNames(HWND hwnd) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    std::vector<std::string> names;
    if (Window* w = Find(t, hwnd))
        for (const auto& p : w->props) names.push_back(p.first);
    return names;
}

}  // namespace win
