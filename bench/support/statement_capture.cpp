#include "statement_capture.h"

#include <dlfcn.h>
#include <sqlite3.h>

#include <mutex>

namespace bench {

namespace {
std::mutex guard;
bool capturing = false;
std::vector<std::string> caught;
}  // namespace

void StartCapture() {
    std::lock_guard<std::mutex> lock(guard);
    caught.clear();
    capturing = true;
}

std::vector<std::string> StopCapture() {
    std::lock_guard<std::mutex> lock(guard);
    capturing = false;
    return std::move(caught);
}

}  // namespace bench

extern "C" int sqlite3_prepare_v2(sqlite3* db, const char* sql, int bytes, sqlite3_stmt** stmt, const char** tail) {
    using Prepare = int (*)(sqlite3*, const char*, int, sqlite3_stmt**, const char**);
    static const auto library = reinterpret_cast<Prepare>(dlsym(RTLD_NEXT, "sqlite3_prepare_v2"));
    const int rc = library(db, sql, bytes, stmt, tail);
    if (rc == SQLITE_OK && stmt && *stmt && sqlite3_column_count(*stmt) > 0) {
        std::lock_guard<std::mutex> lock(bench::guard);
        // SQLite's own reading of the schema keeps no text.
        const char* text = sqlite3_sql(*stmt);
        if (bench::capturing && text) bench::caught.push_back(text);
    }
    return rc;
}
