#include "stored_literals.h"
#include "sql_names.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <map>
#include <optional>
#include <string_view>

#include "err.h"
#include "sql_dialect.h"
#include "utf8.h"

namespace dao {

namespace {

std::string upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string unbracket(const Token& t) {
    if (t.kind == Token::Bracketed) return t.text.substr(1, t.text.size() - 2);
    return t.text;
}

std::string unquote(const std::string& literal) {
    std::string out;
    for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
        out += literal[i];
        if (literal[i] == '\'' && i + 2 < literal.size() && literal[i + 1] == '\'') ++i;
    }
    return out;
}

class Rewriter {
public:
    Rewriter(const std::string& sql, const ColumnLookup& lookup) : sql_(sql), lookup_(lookup) {
        bool complete = true;
        tokens_ = Tokenize(sql, complete);
        for (std::size_t i = 0; i < tokens_.size(); ++i)
            if (tokens_[i].kind != Token::Space) sig_.push_back(i);
    }

    std::string insert() {
        // INSERT INTO table [( columns )] VALUES (...)[, (...)] | SELECT values
        std::size_t p = 1;
        if (!isWord(p, "INTO")) return sql_;
        ++p;
        if (!isName(p)) return sql_;
        table_ = unbracket(tok(p++));
        const std::vector<TableColumn>* all = lookup_(table_);
        if (!all) return sql_;
        std::vector<const TableColumn*> targets;
        if (isSymbol(p, "(")) {
            ++p;
            while (p < sig_.size() && !isSymbol(p, ")")) {
                if (isName(p)) targets.push_back(find(*all, unbracket(tok(p))));
                else if (!isSymbol(p, ",")) return sql_;
                ++p;
            }
            ++p;
        } else {
            for (const TableColumn& c : *all) targets.push_back(&c);
        }
        if (isWord(p, "VALUES")) {
            ++p;
            while (isSymbol(p, "(")) {
                std::size_t close = matching(p);
                if (close >= sig_.size()) return sql_;
                convertItems(p + 1, close, targets);
                p = close + 1;
                if (!isSymbol(p, ",")) break;
                ++p;
            }
        } else if (isWord(p, "SELECT")) {
            std::size_t end = sig_.size();
            for (std::size_t k = p + 1; k < end; ++k)
                if (depthAt(p + 1, k) == 0 && tok(k).kind == Token::Word) {
                    std::string w = upper(tok(k).text);
                    if (w == "FROM" || w == "WHERE" || w == "UNION" || w == "GROUP" || w == "ORDER" || w == "LIMIT")
                        return sql_;  // rows from a table: already stored values
                }
            std::size_t first = p + 1;
            if (isWord(first, "DISTINCT") || isWord(first, "ALL")) ++first;
            convertItems(first, end, targets);
        }
        return rebuild();
    }

    std::string update() {
        // UPDATE table SET column = value, ... [WHERE ...]
        std::size_t p = 1;
        if (!isName(p)) return sql_;
        table_ = unbracket(tok(p++));
        const std::vector<TableColumn>* all = lookup_(table_);
        if (!all || !isWord(p, "SET")) return sql_;
        ++p;
        std::size_t end = p;
        while (end < sig_.size() && !(depthAt(p, end) == 0 && (isWord(end, "WHERE") || isWord(end, "FROM")))) ++end;
        for (const auto& [first, last] : split(p, end)) {
            std::size_t eq = first;
            while (eq < last && !isSymbol(eq, "=")) ++eq;
            if (eq == first || eq >= last || !isName(eq - 1)) continue;
            const TableColumn* column = find(*all, unbracket(tok(eq - 1)));
            convertItem(eq + 1, last, column);
        }
        return rebuild();
    }

private:
    const Token& tok(std::size_t p) const { return tokens_[sig_[p]]; }
    bool isWord(std::size_t p, const char* w) const {
        return p < sig_.size() && tok(p).kind == Token::Word && upper(tok(p).text) == w;
    }
    bool isSymbol(std::size_t p, const char* s) const {
        return p < sig_.size() && tok(p).kind == Token::Symbol && tok(p).text == s;
    }
    bool isName(std::size_t p) const {
        return p < sig_.size() && (tok(p).kind == Token::Word || tok(p).kind == Token::Bracketed);
    }

    static const TableColumn* find(const std::vector<TableColumn>& all, const std::string& name) {
        for (const TableColumn& c : all)
            if (SameName(c.name, name)) return &c;
        return nullptr;
    }

    // Index of the ")" closing the "(" at p.
    std::size_t matching(std::size_t p) const {
        int depth = 0;
        for (std::size_t k = p; k < sig_.size(); ++k) {
            if (isSymbol(k, "(")) ++depth;
            else if (isSymbol(k, ")") && --depth == 0) return k;
        }
        return sig_.size();
    }

    int depthAt(std::size_t from, std::size_t at) const {
        int depth = 0;
        for (std::size_t k = from; k < at; ++k) {
            if (isSymbol(k, "(")) ++depth;
            else if (isSymbol(k, ")")) --depth;
        }
        return depth;
    }

    std::vector<std::pair<std::size_t, std::size_t>> split(std::size_t first, std::size_t end) const {
        std::vector<std::pair<std::size_t, std::size_t>> items;
        int depth = 0;
        std::size_t start = first;
        for (std::size_t k = first; k < end; ++k) {
            if (isSymbol(k, "(")) ++depth;
            else if (isSymbol(k, ")")) --depth;
            else if (depth == 0 && isSymbol(k, ",")) {
                items.emplace_back(start, k);
                start = k + 1;
            }
        }
        if (start < end) items.emplace_back(start, end);
        return items;
    }

    void convertItems(std::size_t first, std::size_t end, const std::vector<const TableColumn*>& targets) {
        auto items = split(first, end);
        if (items.size() != targets.size()) return;  // the engine reports the mismatch
        for (std::size_t i = 0; i < items.size(); ++i) convertItem(items[i].first, items[i].second, targets[i]);
    }

    // Converts the value tokens [first, last) when they are one literal.
    void convertItem(std::size_t first, std::size_t last, const TableColumn* column) {
        if (!column || last <= first) return;
        const std::string where = table_ + "." + column->name;
        const DataTypeEnum type = column->type.type;
        const std::size_t n = last - first;
        const bool text = n == 1 && tok(first).kind == Token::String;
        if (type == dbText || type == dbMemo) {
            if (text && type == dbText && column->type.size > 0 &&
                vb::utf8::Length(unquote(tok(first).text)) > static_cast<std::size_t>(column->type.size))
                RaiseEngineError(errors::FieldTooSmall, "The field " + where +
                                                            " is too small for the value: it holds at most " +
                                                            std::to_string(column->type.size) + " characters.");
            return;
        }
        if (type == dbUnknown || type == dbBinary || type == dbLongBinary) return;
        vb::Variant value;
        if (text) {
            value = vb::Variant(unquote(tok(first).text));
        } else if (n == 1 && tok(first).kind == Token::Number) {
            const auto read = number(tok(first).text, false, where);
            if (!read) return;
            value = *read;
        } else if (n == 2 && (isSymbol(first, "-") || isSymbol(first, "+")) && tok(first + 1).kind == Token::Number) {
            const auto read = number(tok(first + 1).text, isSymbol(first, "-"), where);
            if (!read) return;
            value = *read;
        } else {
            return;
        }
        vb::Variant converted;
        try {
            converted = ConvertForColumn(value, column->type, where);
        } catch (const vb::VBError& e) {
            if (e.number() != errors::DataTypeConversion) throw;
            std::string shown = text ? "'" + value.rawString() + "'" : value.ToString();
            RaiseEngineError(errors::DataTypeMismatch, "Data type mismatch: the value " + shown +
                                                           " cannot be stored in the " + DataTypeName(type) +
                                                           " field " + where + ".");
        }
        StoredValue stored = StoredFromVariant(converted);
        std::string literal;
        switch (stored.kind) {
        case StoredValue::Null: literal = "NULL"; break;
        case StoredValue::Integer: literal = std::to_string(stored.i); break;
        case StoredValue::Real: literal = NumberLiteral(stored.d); break;
        case StoredValue::Text:
            // A currency amount: its decimal text, read by SQLite as the number it writes.
            literal = type == dbCurrency ? stored.s : QuoteText(stored.s);
            break;
        }
        replacements_[sig_[first]] = {sig_[last - 1], literal};
    }

    // The value of a number token; nothing when the token is no number as a
    // whole ("1.2.3"), which is left for the engine to report. Read the same
    // whatever the process's locale.
    static std::optional<vb::Variant> number(const std::string& text, bool negative, const std::string& where) {
        double d = 0;
        const char* end = text.data() + text.size();
        const auto [stop, ec] = std::from_chars(text.data(), end, d);
        if (stop != end || (ec != std::errc{} && ec != std::errc::result_out_of_range)) return std::nullopt;
        if (ec == std::errc::result_out_of_range) {
            if (!BeyondDouble(text))
                d = 0;  // too small for a Double: zero, as SQLite reads it
            else
                RaiseEngineError(errors::NumericFieldOverflow,
                                 "The value " + text + " is too large for the field " + where + ".");
        }
        if (negative) d = -d;
        if (text.find_first_of(".eE") == std::string::npos && d >= std::numeric_limits<std::int32_t>::min() &&
            d <= std::numeric_limits<std::int32_t>::max())
            return vb::Variant::Long(static_cast<std::int32_t>(d));
        return vb::Variant(d);
    }

    // For a number out of the Double range: whether it is too large (not
    // too small), from the place of its first significant digit.
    static bool BeyondDouble(const std::string& text) {
        const std::size_t e = text.find_first_of("eE");
        const std::string mantissa = text.substr(0, e);
        long exponent = 0;
        if (e != std::string::npos) {
            std::string_view digits(text);
            digits.remove_prefix(e + 1);
            const bool minus = !digits.empty() && digits[0] == '-';
            if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
            for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 1000000L);
            if (minus) exponent = -exponent;
        }
        const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
        const std::size_t first = mantissa.find_first_of("123456789");
        if (first == std::string::npos) return false;
        const long place = first < point ? static_cast<long>(point - first) : -static_cast<long>(first - point - 1);
        return place + exponent > 0;
    }

    std::string rebuild() const {
        if (replacements_.empty()) return sql_;
        std::string out;
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            auto r = replacements_.find(i);
            if (r == replacements_.end()) {
                AppendSql(out, tokens_[i].text);
                continue;
            }
            AppendSql(out, r->second.second);
            i = r->second.first;
        }
        return out;
    }

    const std::string& sql_;
    const ColumnLookup& lookup_;
    std::vector<Token> tokens_;
    std::vector<std::size_t> sig_;  // indices of tokens that are not blanks
    std::string table_;
    std::map<std::size_t, std::pair<std::size_t, std::string>> replacements_;  // first token -> (last token, text)
};

}  // namespace

std::string StoreLiteralValues(const std::string& sql, StatementKind kind, const ColumnLookup& columns) {
    if (kind != StatementKind::Insert && kind != StatementKind::Update) return sql;
    Rewriter rewriter(sql, columns);
    return kind == StatementKind::Insert ? rewriter.insert() : rewriter.update();
}

}  // namespace dao
