#include "sql_dialect.h"

#include <cctype>
#include <cmath>

#include "field_type.h"
#include "sql_names.h"

namespace dao {

namespace {

bool isWordStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool isWordChar(unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80; }

std::string upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool isWord(const Token& t, const char* word) {
    return t.kind == Token::Word && upper(t.text) == word;
}

// Index of the next token at or after i that is not a blank; tokens.size() at the end.
std::size_t skipSpace(const std::vector<Token>& tokens, std::size_t i) {
    while (i < tokens.size() && tokens[i].kind == Token::Space) ++i;
    return i;
}

std::string unbracket(const Token& t) {
    if (t.kind == Token::Bracketed) return t.text.substr(1, t.text.size() - 2);
    return t.text;
}

StatementKind kindOf(const std::vector<Token>& tokens) {
    std::size_t i = skipSpace(tokens, 0);
    while (i < tokens.size() && tokens[i].kind == Token::Symbol && tokens[i].text == "(")
        i = skipSpace(tokens, i + 1);
    if (i >= tokens.size() || tokens[i].kind != Token::Word) return StatementKind::Other;
    std::string w = upper(tokens[i].text);
    if (w == "SELECT") return StatementKind::Select;
    if (w == "INSERT") return StatementKind::Insert;
    if (w == "DELETE") return StatementKind::Delete;
    if (w == "UPDATE") return StatementKind::Update;
    return StatementKind::Other;
}

[[noreturn]] void raiseSyntax(StatementKind kind, const std::string& what, const std::string& text) {
    switch (kind) {
    case StatementKind::Insert:
        RaiseEngineError(errors::InsertSyntax, "Syntax error in INSERT INTO statement (" + what + "): " + text);
    case StatementKind::Update:
        RaiseEngineError(errors::UpdateSyntax, "Syntax error in UPDATE statement (" + what + "): " + text);
    default:
        RaiseEngineError(errors::QueryExpressionSyntax, "Syntax error (" + what + ") in query expression: " + text);
    }
}

std::string serialText(double serial) {
    if (serial == std::floor(serial) && std::fabs(serial) < 1e15) return std::to_string(static_cast<long long>(serial));
    return NumberLiteral(serial);
}

// The token rewrites shared by statements and expressions.
std::string rewriteTokens(const std::vector<Token>& tokens, std::size_t begin, std::size_t end,
                          StatementKind kind, const std::string& original) {
    // Every piece goes through AppendSql: a minus before "-1" (True) or a
    // negative date, or before another minus, must not become a comment.
    std::string out;
    for (std::size_t i = begin; i < end; ++i) {
        const Token& t = tokens[i];
        switch (t.kind) {
        case Token::DoubleQuoted: {
            std::string inner;
            for (std::size_t k = 1; k + 1 < t.text.size(); ++k) {
                inner += t.text[k];
                if (t.text[k] == '"' && k + 2 < t.text.size() && t.text[k + 1] == '"') ++k;
            }
            AppendSql(out, QuoteText(inner));
            break;
        }
        case Token::DateLiteral: {
            std::string inner = t.text.substr(1, t.text.size() - 2);
            vb::Date d;
            if (!ParseEngineDate(inner, d)) raiseSyntax(kind, "not a date: " + t.text, original);
            AppendSql(out, serialText(d.serial));
            break;
        }
        case Token::Word: {
            bool afterDot = !out.empty() && out.back() == '.';
            std::size_t next = skipSpace(tokens, i + 1);
            bool call = next < end && tokens[next].kind == Token::Symbol && tokens[next].text == "(";
            std::string w = upper(t.text);
            if (!afterDot && !call && w == "TRUE") AppendSql(out, "-1");
            else if (!afterDot && !call && w == "FALSE") AppendSql(out, "0");
            else AppendSql(out, t.text);
            break;
        }
        case Token::Symbol:
            AppendSql(out, t.text == "&" ? std::string_view("||") : std::string_view(t.text));
            break;
        default:
            AppendSql(out, t.text);
        }
    }
    return out;
}

// End of the statement: the first ";" or the end. Raises 3142 when anything
// but blanks and ";" follows it.
std::size_t statementEnd(const std::vector<Token>& tokens, const std::string& text) {
    std::size_t end = tokens.size();
    for (std::size_t i = 0; i < tokens.size(); ++i)
        if (tokens[i].kind == Token::Semicolon) { end = i; break; }
    for (std::size_t i = end; i < tokens.size(); ++i)
        if (tokens[i].kind != Token::Space && tokens[i].kind != Token::Semicolon)
            RaiseEngineError(errors::CharactersAfterStatement,
                             "Characters found after the end of the SQL statement: " + text);
    return end;
}

bool isAggregate(const std::string& upperWord) {
    static const char* const names[] = {"COUNT", "SUM", "AVG", "MIN", "MAX", "TOTAL", "GROUP_CONCAT",
                                        "FIRST", "LAST", "STDEV", "STDEVP", "VAR", "VARP"};
    for (const char* n : names)
        if (upperWord == n) return true;
    return false;
}

bool isClauseWord(const std::string& u) {
    static const char* const words[] = {"WHERE", "ORDER", "GROUP", "HAVING", "UNION", "INTERSECT",
                                        "EXCEPT", "LIMIT", "JOIN", "INNER", "LEFT", "RIGHT", "CROSS",
                                        "NATURAL", "FULL", "OUTER", "ON", "USING", "WINDOW"};
    for (const char* w : words)
        if (u == w) return true;
    return false;
}

// Top-level (outside parentheses) position of the first FROM after SELECT.
std::size_t topLevelFrom(const std::vector<Token>& tokens, std::size_t from) {
    int depth = 0;
    for (std::size_t i = from; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Symbol && t.text == "(") ++depth;
        else if (t.kind == Token::Symbol && t.text == ")") --depth;
        else if (depth == 0 && isWord(t, "FROM")) return i;
    }
    return tokens.size();
}

}  // namespace

std::vector<Token> Tokenize(const std::string& sql, bool& complete) {
    std::vector<Token> tokens;
    complete = true;
    std::size_t i = 0, n = sql.size();
    auto push = [&](Token::Kind k, std::size_t start, std::size_t stop) {
        tokens.push_back(Token{k, sql.substr(start, stop - start), start});
    };
    // A literal closed by `close`, where a doubled `close` stands for itself.
    auto closed = [&](std::size_t start, char close, bool doubling) {
        std::size_t j = start + 1;
        while (j < n) {
            if (sql[j] == close) {
                if (doubling && j + 1 < n && sql[j + 1] == close) { j += 2; continue; }
                return j + 1;
            }
            ++j;
        }
        complete = false;
        return n;
    };
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(sql[i]);
        std::size_t start = i;
        if (std::isspace(c)) {
            while (i < n && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
            push(Token::Space, start, i);
        } else if (isWordStart(c)) {
            while (i < n && isWordChar(static_cast<unsigned char>(sql[i]))) ++i;
            push(Token::Word, start, i);
        } else if (std::isdigit(c) || (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
            while (i < n && (std::isdigit(static_cast<unsigned char>(sql[i])) || sql[i] == '.')) ++i;
            if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
                std::size_t j = i + 1;
                if (j < n && (sql[j] == '+' || sql[j] == '-')) ++j;
                if (j < n && std::isdigit(static_cast<unsigned char>(sql[j]))) {
                    i = j;
                    while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
                }
            }
            push(Token::Number, start, i);
        } else if (c == '\'') {
            i = closed(i, '\'', true);
            push(Token::String, start, i);
        } else if (c == '"') {
            i = closed(i, '"', true);
            push(Token::DoubleQuoted, start, i);
        } else if (c == '[') {
            i = closed(i, ']', false);
            push(Token::Bracketed, start, i);
        } else if (c == '#') {
            i = closed(i, '#', false);
            push(Token::DateLiteral, start, i);
        } else if (c == ';') {
            ++i;
            push(Token::Semicolon, start, i);
        } else {
            ++i;
            push(Token::Symbol, start, i);
        }
    }
    return tokens;
}

TranslatedStatement TranslateStatement(const std::string& text) {
    bool complete = true;
    std::vector<Token> tokens = Tokenize(text, complete);
    StatementKind kind = kindOf(tokens);
    if (!complete) raiseSyntax(kind, "a text, name or date is not closed", text);
    std::size_t end = statementEnd(tokens, text);

    std::size_t begin = 0;
    std::string head;
    if (kind == StatementKind::Delete) {
        // DELETE [T.*|*] FROM ...  ->  DELETE FROM ...
        std::size_t d = skipSpace(tokens, 0);
        std::size_t j = skipSpace(tokens, d + 1);
        std::size_t k = j;
        if (j < end && (tokens[j].kind == Token::Word || tokens[j].kind == Token::Bracketed) &&
            !isWord(tokens[j], "FROM")) {
            std::size_t dot = skipSpace(tokens, j + 1);
            if (dot < end && tokens[dot].text == "." && tokens[dot].kind == Token::Symbol) {
                std::size_t star = skipSpace(tokens, dot + 1);
                if (star < end && tokens[star].kind == Token::Symbol && tokens[star].text == "*")
                    k = skipSpace(tokens, star + 1);
            }
        } else if (j < end && tokens[j].kind == Token::Symbol && tokens[j].text == "*") {
            k = skipSpace(tokens, j + 1);
        }
        if (k != j && k < end && isWord(tokens[k], "FROM")) {
            head = tokens[d].text + " ";
            begin = k;
        }
    }
    return TranslatedStatement{head + rewriteTokens(tokens, begin, end, kind, text), kind};
}

std::string TranslateExpression(const std::string& text) {
    bool complete = true;
    std::vector<Token> tokens = Tokenize(text, complete);
    if (!complete)
        RaiseEngineError(errors::ExpressionSyntax,
                         "Syntax error in expression (a text, name or date is not closed): " + text);
    for (const Token& t : tokens)
        if (t.kind == Token::Semicolon)
            RaiseEngineError(errors::ExpressionSyntax, "Syntax error in expression (\";\" is not allowed): " + text);
    return rewriteTokens(tokens, 0, tokens.size(), StatementKind::Other, text);
}

bool IsTableName(const std::string& text, std::string& table) {
    bool complete = true;
    std::vector<Token> tokens = Tokenize(text, complete);
    if (!complete) return false;
    const Token* name = nullptr;
    for (const Token& t : tokens) {
        if (t.kind == Token::Space || t.kind == Token::Semicolon) continue;
        if (name || (t.kind != Token::Word && t.kind != Token::Bracketed)) return false;
        name = &t;
    }
    if (!name) return false;
    std::string u = upper(name->text);
    if (name->kind == Token::Word && (u == "SELECT" || u == "INSERT" || u == "DELETE" || u == "UPDATE"))
        return false;
    table = unbracket(*name);
    return true;
}

SingleTableSelect AnalyzeSelect(const std::string& sql) {
    SingleTableSelect result;
    bool complete = true;
    std::vector<Token> tokens = Tokenize(sql, complete);
    if (!complete) return result;
    std::size_t s = skipSpace(tokens, 0);
    if (s >= tokens.size() || !isWord(tokens[s], "SELECT")) return result;
    std::size_t first = skipSpace(tokens, s + 1);
    if (first < tokens.size() && (isWord(tokens[first], "DISTINCT") || isWord(tokens[first], "DISTINCTROW") ||
                                  isWord(tokens[first], "TOP")))
        return result;
    std::size_t from = topLevelFrom(tokens, s + 1);
    if (from >= tokens.size()) return result;
    // No aggregate in the column list.
    for (std::size_t i = s + 1; i < from; ++i) {
        if (tokens[i].kind != Token::Word || !isAggregate(upper(tokens[i].text))) continue;
        std::size_t next = skipSpace(tokens, i + 1);
        if (next < from && tokens[next].text == "(") return result;
    }
    // One table, optionally with an alias.
    std::size_t t = skipSpace(tokens, from + 1);
    if (t >= tokens.size() || (tokens[t].kind != Token::Word && tokens[t].kind != Token::Bracketed) ||
        (tokens[t].kind == Token::Word && isClauseWord(upper(tokens[t].text))))
        return result;
    std::string reference = tokens[t].text;
    std::size_t next = skipSpace(tokens, t + 1);
    if (next < tokens.size() && tokens[next].kind == Token::Symbol && tokens[next].text == ".")
        return result;  // a name with a schema: leave it read-only
    if (next < tokens.size() && isWord(tokens[next], "AS")) next = skipSpace(tokens, next + 1);
    if (next < tokens.size() && (tokens[next].kind == Token::Bracketed ||
                                 (tokens[next].kind == Token::Word && !isClauseWord(upper(tokens[next].text))))) {
        reference = tokens[next].text;
        next = skipSpace(tokens, next + 1);
    }
    if (next < tokens.size() && tokens[next].kind != Token::Semicolon &&
        !(tokens[next].kind == Token::Word &&
          (isWord(tokens[next], "WHERE") || isWord(tokens[next], "ORDER") || isWord(tokens[next], "LIMIT"))))
        return result;
    // Nothing after it that groups or combines rows.
    int depth = 0;
    for (std::size_t i = next; i < tokens.size(); ++i) {
        const Token& k = tokens[i];
        if (k.kind == Token::Symbol && k.text == "(") ++depth;
        else if (k.kind == Token::Symbol && k.text == ")") --depth;
        else if (depth == 0 && k.kind == Token::Word &&
                 (isWord(k, "GROUP") || isWord(k, "HAVING") || isWord(k, "UNION") || isWord(k, "INTERSECT") ||
                  isWord(k, "EXCEPT")))
            return result;
    }
    result.simple = true;
    result.table = unbracket(tokens[t]);
    result.reference = reference;
    result.fromOffset = tokens[from].offset;
    return result;
}

std::string WithRowNumberColumn(const std::string& sql, const SingleTableSelect& select,
                                const std::string& column) {
    return sql.substr(0, select.fromOffset) + ", " + select.reference + ".rowid AS \"" + column + "\" " +
           sql.substr(select.fromOffset);
}

std::vector<std::string> AggregatedColumns(const std::string& sql) {
    std::vector<std::string> columns;
    bool complete = true;
    std::vector<Token> tokens = Tokenize(sql, complete);
    if (!complete) return columns;
    std::size_t s = skipSpace(tokens, 0);
    if (s >= tokens.size() || !isWord(tokens[s], "SELECT")) return columns;
    std::size_t from = topLevelFrom(tokens, s + 1);
    std::size_t i = skipSpace(tokens, s + 1);
    if (i < from && (isWord(tokens[i], "DISTINCT") || isWord(tokens[i], "ALL"))) ++i;
    // Items separated by top-level commas.
    std::vector<std::vector<const Token*>> items(1);
    int depth = 0;
    for (; i < from; ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Space) continue;
        if (t.kind == Token::Symbol && t.text == "(") ++depth;
        if (t.kind == Token::Symbol && t.text == ")") --depth;
        if (depth == 0 && t.kind == Token::Symbol && t.text == ",") { items.emplace_back(); continue; }
        items.back().push_back(&t);
    }
    for (const auto& item : items) {
        std::string column;
        // AGG ( [qualifier .] name ) [[AS] alias]
        if (item.size() >= 4 && item[0]->kind == Token::Word && item[1]->text == "(") {
            std::string agg = upper(item[0]->text);
            bool typed = agg == "MAX" || agg == "MIN" || agg == "SUM" || agg == "FIRST" || agg == "LAST";
            std::size_t k = 2;
            if (item.size() >= 6 && item[3]->text == ".") k = 4;
            if (typed && k + 1 < item.size() && item[k + 1]->text == ")" &&
                (item[k]->kind == Token::Word || item[k]->kind == Token::Bracketed))
                column = unbracket(*item[k]);
        }
        columns.push_back(column);
    }
    return columns;
}

std::vector<std::string> NamesIn(const std::string& text) {
    bool complete = true;
    std::vector<std::string> names;
    for (const Token& t : Tokenize(text, complete))
        if (t.kind == Token::Word || t.kind == Token::Bracketed) names.push_back(unbracket(t));
    return names;
}

std::vector<std::string> SplitStatements(const std::string& script) {
    // Drop comment lines first; then split on ";" outside literals.
    std::string text;
    std::size_t pos = 0;
    while (pos < script.size()) {
        std::size_t eol = script.find('\n', pos);
        if (eol == std::string::npos) eol = script.size();
        std::string line = script.substr(pos, eol - pos);
        std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line.compare(first, 2, "--") != 0) text += line + "\n";
        pos = eol + 1;
    }
    bool complete = true;
    std::vector<Token> tokens = Tokenize(text, complete);
    std::vector<std::string> statements;
    std::string current;
    bool content = false;
    for (const Token& t : tokens) {
        if (t.kind == Token::Semicolon) {
            if (content) statements.push_back(current + ";");
            current.clear();
            content = false;
            continue;
        }
        if (t.kind != Token::Space) content = true;
        if (content) current += t.text;
    }
    if (content) statements.push_back(current);
    return statements;
}

}  // namespace dao
