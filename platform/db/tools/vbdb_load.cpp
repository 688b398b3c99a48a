// vbdb_load SCRIPT OUTPUT
// Builds the database file OUTPUT from SCRIPT, a text of SQL statements each
// ending in ";". CREATE statements make the tables; every other statement
// then runs through the engine as a program's Execute would, so values are
// stored in their columns' forms (dates given as text become dates). The
// file is written under a temporary name and renamed when complete.
#include <sqlite3.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "database.h"
#include "err.h"
#include "sql_dialect.h"

namespace {

bool isCreate(const std::string& statement) {
    std::size_t i = statement.find_first_not_of(" \t\r\n");
    if (i == std::string::npos) return false;
    std::string word;
    while (i < statement.size() && std::isalpha(static_cast<unsigned char>(statement[i])))
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(statement[i++])));
    return word == "CREATE";
}

int fail(const std::string& temp, const std::string& message) {
    std::cerr << "vbdb_load: " << message << "\n";
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vbdb_load SCRIPT OUTPUT\n";
        return 2;
    }
    std::string scriptPath = argv[1], output = argv[2];
    std::ifstream in(scriptPath, std::ios::binary);
    if (!in) {
        std::cerr << "vbdb_load: cannot read " << scriptPath << "\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> statements = dao::SplitStatements(text.str());

    std::string temp = output + ".tmp";
    std::error_code ec;
    std::filesystem::remove(temp, ec);

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        return fail(temp, "cannot create " + temp + ": " + message);
    }
    std::string schema = "BEGIN;";
    for (const auto& s : statements)
        if (isCreate(s)) schema += s + "\n";
    schema += "COMMIT;";
    char* error = nullptr;
    if (sqlite3_exec(db, schema.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        sqlite3_close(db);
        return fail(temp, scriptPath + ": " + message);
    }
    sqlite3_close(db);

    std::size_t number = 0;
    try {
        auto database = dao::OpenDatabase(temp);
        database->BeginTrans();
        for (const auto& s : statements) {
            ++number;
            if (!isCreate(s)) database->Execute(s);
        }
        database->CommitTrans();
        database->Close();
    } catch (const vb::VBError& e) {
        return fail(temp, scriptPath + ": statement " + std::to_string(number) + ": error " +
                              std::to_string(e.number()) + ": " + e.description());
    }
    std::filesystem::rename(temp, output, ec);
    if (ec) return fail(temp, "cannot write " + output + ": " + ec.message());
    return 0;
}
