#include "sqlite_limit.h"

#include <sqlite3.h>

#include <chrono>
#include <stdexcept>

namespace bench {

LimitRun MeasureSqliteLimit(const std::string& databasePath, const std::vector<std::string>& statements) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databasePath.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw std::runtime_error(databasePath + ": " + message);
    }
    LimitRun run;
    volatile long long sink = 0;  // keeps the reads
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& sql : statements) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            const std::string message = sqlite3_errmsg(db);
            sqlite3_close(db);
            throw std::runtime_error(sql + ": " + message);
        }
        const int columns = sqlite3_column_count(stmt);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            ++run.rows;
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER: sink = sink ^ sqlite3_column_int64(stmt, c); run.bytes += 8; break;
                case SQLITE_FLOAT: sink = sink ^ static_cast<long long>(sqlite3_column_double(stmt, c)); run.bytes += 8; break;
                case SQLITE_NULL: break;
                default:
                    if (sqlite3_column_text(stmt, c)) run.bytes += sqlite3_column_bytes(stmt, c);
                }
            }
        }
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE) {
            const std::string message = sqlite3_errmsg(db);
            sqlite3_close(db);
            throw std::runtime_error(sql + ": " + message);
        }
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    sqlite3_close(db);
    return run;
}

}  // namespace bench
