#pragma once
// The programs' SQL dialect and SQLite's: the one place where texts are
// translated. Only what SQLite reads differently is changed:
//   * "DELETE T.* FROM T" and "DELETE * FROM T" lose the column part;
//   * #12/09/26# date literals become the date's serial day number;
//   * "text" in double quotation marks is a text literal;
//   * True and False are -1 and 0;
//   * & joins texts (||);
//   * -- and /* are operators, not comments (a value can never hide the
//     rest of a statement);
//   * one statement per text: anything after the closing ";" is refused.
// Square-bracketed names, INSERT ... SELECT without FROM, keyword case and a
// trailing ";" are read by SQLite as they stand.
#include <cstddef>
#include <string>
#include <vector>

#include "engine_error.h"

namespace dao {

struct Token {
    enum Kind { Space, Word, Bracketed, DoubleQuoted, String, Number, DateLiteral, Symbol, Semicolon };
    Kind kind;
    std::string text;     // as written
    std::size_t offset;   // in the text tokenized
};

// Splits `sql` into tokens; `complete` is false when a text, bracketed name
// or date literal is not closed.
std::vector<Token> Tokenize(const std::string& sql, bool& complete);

struct TranslatedStatement {
    std::string sql;  // for SQLite
    StatementKind kind;
};

// Translates one statement. Raises the engine's syntax error for an
// unclosed literal or a date literal that is no date, and 3142 for text
// after the end of the statement.
TranslatedStatement TranslateStatement(const std::string& text);

// Translates an expression (a FindFirst criterion) the same way.
std::string TranslateExpression(const std::string& text);

// The name of a table when `text` is nothing but a (bracketed) name.
bool IsTableName(const std::string& text, std::string& table);

// For a translated SELECT: whether it reads a single table with no joins,
// grouping, DISTINCT or aggregate, so its rows can be edited; and where.
struct SingleTableSelect {
    bool simple = false;
    std::string table;       // the table's name without brackets
    std::string reference;   // how the query names it (alias or table, as written)
    std::size_t fromOffset = 0;  // where the top-level FROM starts
};
SingleTableSelect AnalyzeSelect(const std::string& sql);

// The SELECT with the table's row number added as a last column named
// `column`.
std::string WithRowNumberColumn(const std::string& sql, const SingleTableSelect& select,
                                const std::string& column);

// For each item of a SELECT's column list: the column that an aggregate
// (MAX, MIN, SUM, FIRST, LAST) is taken of, or "" (also for * items).
std::vector<std::string> AggregatedColumns(const std::string& sql);

// Names used in an expression: words and bracketed names (brackets removed).
std::vector<std::string> NamesIn(const std::string& text);

// Splits a script of statements ending in ";" into statements; lines
// starting with -- are comments.
std::vector<std::string> SplitStatements(const std::string& script);

}  // namespace dao
