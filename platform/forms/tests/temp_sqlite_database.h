#pragma once
// A database file made from SQL text in a temporary folder, removed with the
// object: for tests of controls bound to data.
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace pctest {

class TempSqliteDatabase {
public:
    explicit TempSqliteDatabase(const char* sql) {
        std::string pattern = (std::filesystem::temp_directory_path() / "pctl-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        dir_ = pattern;
        path_ = (dir_ / "test.mdb").string();
        sqlite3* db = nullptr;
        sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
        std::string message = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        if (rc != SQLITE_OK) throw std::runtime_error("schema failed: " + message);
    }
    ~TempSqliteDatabase() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TempSqliteDatabase(const TempSqliteDatabase&) = delete;
    TempSqliteDatabase& operator=(const TempSqliteDatabase&) = delete;
    const std::string& path() const { return path_; }

private:
    std::filesystem::path dir_;
    std::string path_;
};

}  // namespace pctest
