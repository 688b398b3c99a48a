#pragma once
// The "limit" a phase of a program is measured against: the same statements
// run over the same database file through SQLite's C API, stepping every row
// and reading every column (texts as text), with nothing kept. A program
// phase that costs about this much spends its time in the engine.
#include <string>
#include <vector>

namespace bench {

struct LimitRun {
    double seconds = 0;     // wall-clock time of all statements
    long long rows = 0;     // rows stepped
    long long bytes = 0;    // bytes of every text and blob read, 8 per number
};

// Runs each statement once (read-only connection, no shared cache). Throws
// std::runtime_error with SQLite's message when a statement fails.
LimitRun MeasureSqliteLimit(const std::string& databasePath, const std::vector<std::string>& statements);

}  // namespace bench
