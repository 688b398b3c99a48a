#include "program_hooks.h"

#include <mutex>

namespace vb {

namespace {
std::mutex mutex;
std::string commandLine;
std::function<void()> doEventsHook;
std::function<bool(const std::string&)> textViewerHook;
}  // namespace

void SetCommandLine(int argc, const char* const* argv) {
    std::string joined;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) joined += ' ';
        if (argv[i]) joined += argv[i];
    }
    std::lock_guard lock(mutex);
    commandLine = std::move(joined);
}

void SetCommandLine(int argc, char** argv) { SetCommandLine(argc, const_cast<const char* const*>(argv)); }

std::string Command() {
    std::lock_guard lock(mutex);
    return commandLine;
}

void SetDoEventsHook(std::function<void()> hook) {
    std::lock_guard lock(mutex);
    doEventsHook = std::move(hook);
}

void DoEvents() {
    std::function<void()> hook;
    {
        std::lock_guard lock(mutex);
        hook = doEventsHook;
    }
    if (hook) hook();
}

void SetTextViewerHook(std::function<bool(const std::string& path)> hook) {
    std::lock_guard lock(mutex);
    textViewerHook = std::move(hook);
}

bool ShowTextFile(const std::string& path) {
    std::function<bool(const std::string&)> hook;
    {
        std::lock_guard lock(mutex);
        hook = textViewerHook;
    }
    return hook && hook(path);
}

}  // namespace vb
