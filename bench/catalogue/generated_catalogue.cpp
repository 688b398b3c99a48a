#include "generated_catalogue.h"

#include <sqlite3.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace catalogue::bench {

namespace fs = std::filesystem;

namespace {

void Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error("generating the catalogue: " + message + " in: " + sql);
    }
}

}  // namespace

fs::path MakeTempFolder(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

fs::path MakeGeneratedCatalogue(const fs::path& root, int products, int composers) {
    const fs::path program = root / "bin";
    const fs::path data = program / "data";
    fs::create_directories(data);
    // The sample data of the program folder given by ORVANTA_BIN_DIR, or of the build's.
    const char* bin = std::getenv("ORVANTA_BIN_DIR");
    const fs::path sample = bin && *bin ? fs::path(bin) / "data" : fs::path(CATALOGUE_SAMPLE_DATA_DIR);
    for (const auto& entry : fs::directory_iterator(sample)) {
        const std::string name = entry.path().filename().string();
        if (name == "orvanta.mdb" || entry.path().extension() == ".jpg")
            fs::copy_file(entry.path(), data / name, fs::copy_options::overwrite_existing);
    }

    sqlite3* db = nullptr;
    const std::string file = (data / "orvanta.mdb").string();
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file);
    }
    try {
        // The sample albums lend their values (price, performers, pictures,
        // descriptions in the stored forms) to the generated ones; each
        // generated composer takes a sample composer's name and a number.
        Exec(db, "BEGIN");
        Exec(db,
             "CREATE TEMP TABLE sample AS SELECT ROW_NUMBER() OVER (ORDER BY PRODID) - 1 AS k, * FROM PRODUCTSbak");
        Exec(db, "CREATE TEMP TABLE names AS SELECT ROW_NUMBER() OVER (ORDER BY COMPOSER) - 1 AS k, COMPOSER "
                 "FROM (SELECT DISTINCT COMPOSER FROM PRODUCTSbak)");
        Exec(db, "DELETE FROM PRODUCTS");
        Exec(db, "DELETE FROM PRODUCTSbak");
        const std::string p = std::to_string(products), c = std::to_string(composers);
        Exec(db,
             "INSERT INTO PRODUCTS "
             "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < " + p + ") "
             "SELECT n.i + 1, "
             "  (SELECT COMPOSER FROM names WHERE names.k = (n.i % " + c + ") % (SELECT COUNT(*) FROM names)) "
             "    || ' ' || (n.i % " + c + "), "
             "  s.COMPOSITION || ' (' || (n.i + 1) || ')', s.PERFORMER, s.CONDUCTOR, s.PRICE, s.DESCRIPTION, s.IMAGE "
             "FROM n JOIN sample s ON s.k = n.i % (SELECT COUNT(*) FROM sample)");
        Exec(db, "INSERT INTO PRODUCTSbak SELECT * FROM PRODUCTS");
        Exec(db, "COMMIT");
        Exec(db, "VACUUM");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
    return program;
}

long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

}  // namespace catalogue::bench
