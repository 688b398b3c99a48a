#pragma once
// A database file in a fresh temporary folder, made from a schema script
// with SQLite directly; removed with its folder at the end of the test.
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

class TempDatabase {
public:
    explicit TempDatabase(const std::string& script, const std::string& name = "test.mdb") {
        std::string pattern = (std::filesystem::temp_directory_path() / "vbdb-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        dir_ = pattern;
        file_ = dir_ / name;
        sqlite3* db = nullptr;
        sqlite3_open_v2(file_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        char* error = nullptr;
        if (sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::string message = error ? error : "";
            sqlite3_free(error);
            sqlite3_close(db);
            throw std::runtime_error("schema failed: " + message);
        }
        sqlite3_close(db);
    }
    ~TempDatabase() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    std::string path() const { return file_.string(); }
    std::filesystem::path dir() const { return dir_; }

private:
    std::filesystem::path dir_, file_;
};

// Runs `sql` on the file with SQLite directly and returns the first column
// of the first row as text ("" when none, "NULL" for a null).
inline std::string RawQuery(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* s = nullptr;
    std::string out;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW) {
        const unsigned char* t = sqlite3_column_text(s, 0);
        out = t ? reinterpret_cast<const char*>(t) : "NULL";
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return out;
}

// Expects `statement` to raise the engine error `number`.
#define EXPECT_ENGINE_ERROR(statement, expected)                                      \
    do {                                                                             \
        try {                                                                        \
            statement;                                                               \
            ADD_FAILURE() << "no error raised, expected " << (expected);              \
        } catch (const vb::VBError& e) {                                             \
            EXPECT_EQ(e.number(), (expected)) << e.description();                      \
        }                                                                            \
    } while (0)
