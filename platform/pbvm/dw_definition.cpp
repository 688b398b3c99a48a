#include "dw_definition.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <sstream>

#include "dao.h"
#include "err.h"
#include "number_text.h"
#include "text_forms.h"

namespace pbvm {

namespace {

constexpr char kMagic[] = "PDW0606";

// Splits a line into words; a word in double quotes may hold blanks and
// \" for a quote.
std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i >= line.size()) break;
        std::string word;
        if (line[i] == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size()) ++i;
                word += line[i];
            }
            ++i;
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) word += line[i++];
        }
        out.push_back(word);
    }
    return out;
}

// The line after its keyword.
std::string rest(const std::string& line, const std::string& keyword) {
    const std::size_t at = line.find(keyword);
    if (at == std::string::npos) return {};
    const std::size_t b = line.find_first_not_of(" \t", at + keyword.size());
    return b == std::string::npos ? std::string() : line.substr(b);
}

// Sizes in points (negative) or pixels, up to 1,638 either way; weights
// 0 to 1,000.
std::optional<DwFont> font(const std::vector<std::string>& w) {
    DwFont f;
    if (w.size() > 1) f.face = w[1];
    if (w.size() > 2) {
        auto size = WholeNumber(w[2], -1638, 1638);
        if (!size) return std::nullopt;
        f.size = static_cast<int>(*size);
    }
    if (w.size() > 3) {
        auto weight = WholeNumber(w[3], 0, 1000);
        if (!weight) return std::nullopt;
        f.weight = static_cast<int>(*weight);
    }
    return f;
}

// The series list: names in double quotes separated by commas.
std::vector<std::string> seriesNames(const std::string& list) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while ((i = list.find('"', i)) != std::string::npos) {
        std::size_t end = list.find('"', i + 1);
        if (end == std::string::npos) break;
        out.push_back(list.substr(i + 1, end - i - 1));
        i = end + 1;
    }
    return out;
}

std::string literal(const std::optional<std::string>& value) {
    if (!value) return "NULL";
    std::string out = "'";
    for (char c : *value) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

bool isIdentifier(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// A row the computed fields read: stored rows or values given one by one.
struct RowView {
    const DwRows* rows = nullptr;
    std::size_t row = 0;
    const std::vector<vb::Variant>* values = nullptr;

    vb::Variant operator()(int column, bool& missing) const {
        if (rows) {
            missing = column >= rows->columns();
            return missing ? vb::Variant() : rows->value(row, column);
        }
        missing = column >= static_cast<int>(values->size());
        return missing ? vb::Variant() : (*values)[column];
    }
};

// The computed fields' expressions: result columns and numbers joined by
// + - * / with the usual precedence and parentheses. Evaluated over a row,
// or only checked when there is none; nothing here throws.
struct Evaluator {
    Evaluator(const DwDefinition& definition, const RowView* values, const std::string& expression)
        : dw(definition), row(values), text(expression) {}

    const DwDefinition& dw;
    const RowView* row;  // null: only check the expression
    const std::string& text;
    std::size_t pos = 0;
    int depth = 0;
    bool null = false;
    bool money = false;
    std::string problem;  // empty while the expression reads well

    static constexpr int kMaxDepth = 32;

    double evaluate() {
        double v = sum();
        blanks();
        if (problem.empty() && pos < text.size()) fail("the expression " + text + " has more after its end");
        return v;
    }

private:
    double fail(const std::string& why) {
        if (problem.empty()) problem = why;
        pos = text.size();
        return 0;
    }
    void blanks() {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    }
    double columnValue(int column) {
        if (!row) return 0;
        bool missing = false;
        const vb::Variant v = (*row)(column, missing);
        if (missing || v.IsNull() || v.IsEmpty()) {
            null = true;
            return 0;
        }
        if (v.Type() == vb::VarType::Currency) money = true;
        if (v.IsNumericType() || v.Type() == vb::VarType::Date) return v.ToDouble();
        double d = 0;
        if (v.Type() == vb::VarType::String && vb::ParseNumberText(v.ToString(), d) && std::isfinite(d)) return d;
        null = true;  // a value that is no number
        return 0;
    }
    double operand() {
        blanks();
        if (pos < text.size() && text[pos] == '(') {
            if (++depth > kMaxDepth) return fail("the expression " + text + " is nested too deeply");
            ++pos;
            double v = sum();
            blanks();
            if (pos >= text.size() || text[pos] != ')') return fail("the expression " + text + " lacks a \")\"");
            ++pos;
            --depth;
            return v;
        }
        std::size_t start = pos;
        while (pos < text.size() && (isIdentifier(text[pos]) || text[pos] == '.')) ++pos;
        const std::string word = text.substr(start, pos - start);
        if (word.empty()) return fail("the expression " + text + " cannot be evaluated");
        if (std::isdigit(static_cast<unsigned char>(word[0]))) {
            auto number = FiniteNumber(word);
            if (!number) return fail("the expression " + text + " holds the wrong number " + word);
            return *number;
        }
        int column = dw.columnIndex(word);
        if (column < 0) return fail("the expression " + text + " names the unknown column " + word);
        return columnValue(column);
    }
    double product() {
        double v = operand();
        for (;;) {
            blanks();
            if (pos >= text.size() || (text[pos] != '*' && text[pos] != '/')) return v;
            char op = text[pos++];
            double r = operand();
            v = op == '*' ? v * r : (r == 0 ? (null = true, 0) : v / r);
        }
    }
    double sum() {
        double v = product();
        for (;;) {
            blanks();
            if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-')) return v;
            char op = text[pos++];
            double r = product();
            v = op == '+' ? v + r : v - r;
        }
    }
};

// Why the expression cannot be computed, empty when it can.
std::string ExpressionError(const DwDefinition& dw, const std::string& expression) {
    Evaluator check(dw, nullptr, expression);
    check.evaluate();
    return check.problem;
}

// Amounts from 2^63 / 10,000 up are beyond the currency's range.
constexpr double kLargestAmount = 922337203685477.0;

}  // namespace

int DwDefinition::columnIndex(const std::string& name) const {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i] == name) return static_cast<int>(i);
    return -1;
}

std::string DwDefinition::sql(const std::vector<std::optional<std::string>>& values) const {
    std::string text = "SELECT ";
    for (std::size_t i = 0; i < selected.size(); ++i) text += (i ? ", " : "") + selected[i];
    text += " FROM ";
    for (std::size_t i = 0; i < tables.size(); ++i) text += (i ? ", " : "") + tables[i];
    std::vector<std::string> conditions = joins;
    if (!where.empty()) {
        // Arguments go in as literals; text between quotes is left alone.
        std::string condition;
        bool quoted = false;
        for (std::size_t i = 0; i < where.size(); ++i) {
            char c = where[i];
            if (c == '\'') quoted = !quoted;
            if (!quoted && c == ':' && i + 1 < where.size() && isIdentifier(where[i + 1])) {
                std::size_t end = i + 1;
                while (end < where.size() && isIdentifier(where[end])) ++end;
                const std::string name = where.substr(i + 1, end - i - 1);
                std::optional<std::string> value;
                for (std::size_t a = 0; a < arguments.size(); ++a)
                    if (arguments[a].name == name && a < values.size()) value = values[a];
                condition += literal(value);
                i = end - 1;
                continue;
            }
            condition += c;
        }
        conditions.push_back("(" + condition + ")");
    }
    for (std::size_t i = 0; i < conditions.size(); ++i) text += (i ? " AND " : " WHERE ") + conditions[i];
    return text;
}

std::optional<DwDefinition> ParseDataWindow(const Bytes& entry, std::string& error) {
    std::string text(entry.begin(), entry.end());
    if (text.size() >= 8 && std::memcmp(text.data(), kMagic, 8) == 0) {
        text = text.substr(8);
        if (text.rfind("pdw\n", 0) != 0) {
            error = "DataWindow entry without its format line";
            return std::nullopt;
        }
        text = text.substr(4);
    }
    if (auto zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
    DwDefinition dw;
    DwShown pending;
    bool hasLabel = false;
    std::vector<std::string> computed;  // checked once every column is known
    auto wrongNumber = [&](const std::string& where) {
        error = "a number is wrong in the DataWindow line: " + where;
        return std::nullopt;
    };
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        auto w = words(line);
        if (w.empty() || w[0][0] == '#') continue;
        const std::string& k = w[0];
        if (k == "datawindow" && w.size() > 1) {
            dw.name = w[1];
        } else if (k == "font") {
            auto f = font(w);
            if (!f) return wrongNumber(line);
            dw.font = *f;
        } else if (k == "table") {
            dw.tables.assign(w.begin() + 1, w.end());
        } else if (k == "column" && w.size() == 3) {
            dw.selected.push_back(w[1]);
            dw.columns.push_back(w[2]);
        } else if (k == "join") {
            dw.joins.push_back(rest(line, "join"));
        } else if (k == "where") {
            dw.where = rest(line, "where");
        } else if (k == "argument" && w.size() == 3) {
            dw.arguments.push_back({w[1], w[2]});
        } else if (k == "text" && w.size() >= 3) {
            pending = DwShown{};
            pending.labelName = w[1];
            pending.label = w[2];
            pending.boldLabel = w.size() > 3 && w[3] == "bold";
            hasLabel = true;
        } else if (k == "show" && w.size() >= 3) {
            DwShown s = hasLabel ? pending : DwShown{};
            s.column = w[1];
            s.format = w[2];
            if (w.size() >= 7 && w[3] == "dddw") {
                s.dropDown = w[4];
                s.dropDisplay = w[5];
                s.dropData = w[6];
            }
            if (dw.columnIndex(s.column) < 0) {
                error = dw.name + ": the column " + s.column + " is not retrieved";
                return std::nullopt;
            }
            dw.shown.push_back(s);
            hasLabel = false;
        } else if (k == "compute" && w.size() >= 4) {
            DwShown s = hasLabel ? pending : DwShown{};
            s.computed = w[1];
            s.expression = w[2];
            s.format = w[3];
            computed.push_back(s.expression);
            dw.shown.push_back(s);
            hasLabel = false;
        } else if (k == "graph" && w.size() > 1) {
            dw.graph = DwGraph{};
            dw.graph->name = w[1];
        } else if (k == "category" && dw.graph && w.size() >= 3) {
            dw.graph->category = w[1];
            dw.graph->categoryLabel = w[2];
        } else if (k == "values" && dw.graph && w.size() >= 3) {
            dw.graph->values.assign(w.begin() + 1, w.end() - 1);
            dw.graph->valueLabel = w.back();
        } else if (k == "series" && dw.graph && w.size() >= 3) {
            dw.graph->series = seriesNames(w[1]);
            dw.graph->seriesLabel = w[2];
        } else if (k == "axisfont" && dw.graph) {
            auto f = font(w);
            if (!f) return wrongNumber(line);
            dw.graph->axisFont = *f;
        } else {
            error = "unknown line in a DataWindow object: " + line;
            return std::nullopt;
        }
    }
    if (dw.name.empty() || dw.tables.empty() || dw.columns.empty()) {
        error = "DataWindow object without its name, tables or columns";
        return std::nullopt;
    }
    for (const auto& expression : computed) {
        std::string problem = ExpressionError(dw, expression);
        if (!problem.empty()) {
            error = dw.name + ": " + problem;
            return std::nullopt;
        }
    }
    return dw;
}

DwRows RetrieveRows(const DwDefinition& dw, dao::Database& db, const std::vector<std::optional<std::string>>& arguments) {
    DwRows out(static_cast<int>(dw.columns.size()));
    auto rs = db.OpenRecordset(dw.sql(arguments), dao::dbOpenSnapshot);
    const int columns = static_cast<int>(dw.columns.size());
    const int count = std::min<int>(rs->Fields().Count(), columns);
    std::vector<dao::Field*> fields;
    for (int i = 0; i < count; ++i) fields.push_back(&rs->Fields(i));
    out.reserve(static_cast<std::size_t>(rs->RecordCount()));
    const vb::Variant null = vb::Variant::Null();
    while (!rs->Eof()) {
        for (int i = 0; i < count; ++i) out.append(fields[i]->Value());
        for (int i = count; i < columns; ++i) out.append(null);
        rs->MoveNext();
    }
    rs->Close();
    return out;
}

namespace {

vb::Variant computedValue(const DwDefinition& dw, const DwShown& shown, const RowView& row) {
    Evaluator e(dw, &row, shown.expression);
    const double v = e.evaluate();
    // A value that cannot be computed (a damaged expression, a text that is
    // no number, an overflow) shows as Null, like a part that is Null.
    if (e.null || !e.problem.empty() || !std::isfinite(v)) return vb::Variant::Null();
    if (e.money) {
        if (std::abs(v) >= kLargestAmount) return vb::Variant::Null();
        return vb::Variant(vb::Currency::FromDouble(v));
    }
    return vb::Variant(v);
}

}  // namespace

vb::Variant ShownValue(const DwDefinition& dw, const DwShown& shown, const DwRows& rows, std::size_t row) {
    if (!shown.column.empty()) {
        const int i = dw.columnIndex(shown.column);
        return i < 0 ? vb::Variant() : rows.value(row, i);
    }
    return computedValue(dw, shown, RowView{&rows, row, nullptr});
}

vb::Variant ShownValue(const DwDefinition& dw, const DwShown& shown, const std::vector<vb::Variant>& row) {
    if (!shown.column.empty()) {
        int i = dw.columnIndex(shown.column);
        return i < 0 || i >= static_cast<int>(row.size()) ? vb::Variant() : row[i];
    }
    return computedValue(dw, shown, RowView{nullptr, 0, &row});
}

}  // namespace pbvm
