#pragma once
// DataWindow objects: what a DataWindow entry of the object library holds (a
// query over the connected database, its retrieval arguments, the labels,
// columns, display formats, edit styles and computed fields of its layout, or
// a graph), the rows a Retrieve brings back and the texts they display as.
//
// The entry's text after its "pdw" line is a list of lines:
//   datawindow NAME
//   font "FACE" SIZE WEIGHT                   font of texts and columns
//   table TABLE...                            tables of the query
//   column TABLE.COLUMN RESULTNAME            a result column, in order
//   join LEFT = RIGHT                         a join condition
//   where CONDITION                           ":name" stands for an argument
//   argument NAME TYPE                        a retrieval argument
//   text NAME "LABEL" [bold]                  a label over the next column
//   show COLUMN "FORMAT" [dddw DW DISPLAY DATA]
//   compute NAME "EXPRESSION" "FORMAT"
//   graph NAME / category COLUMN "LABEL" / values COLUMN... "LABEL" /
//   series "SERIES LIST" "LABEL" / axisfont "FACE" SIZE WEIGHT
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dw_rows.h"
#include "library_file.h"
#include "variant.h"

namespace dao {
class Database;
}

namespace pbvm {

struct DwFont {
    std::string face = "Arial";
    int size = -10;  // negative: points
    int weight = 400;
};

// One column of the presentation: a label over a result column or a
// computed field.
struct DwShown {
    std::string labelName;
    std::string label;
    bool boldLabel = false;
    std::string column;      // result column; empty for a computed field
    std::string computed;    // computed field name
    std::string expression;  // its expression over result columns
    std::string format = "[general]";
    // Drop-down DataWindow edit style: the object, its display and data columns.
    std::string dropDown, dropDisplay, dropData;
};

struct DwGraph {
    std::string name;
    std::string category, categoryLabel;
    std::vector<std::string> values;
    std::string valueLabel;
    std::vector<std::string> series;  // the series names
    std::string seriesLabel;
    DwFont axisFont;
};

struct DwArgument {
    std::string name;
    std::string type;
};

struct DwDefinition {
    std::string name;
    DwFont font;
    std::vector<std::string> tables;
    std::vector<std::string> selected;  // TABLE.COLUMN, in result order
    std::vector<std::string> columns;   // result column names
    std::vector<std::string> joins;
    std::string where;
    std::vector<DwArgument> arguments;
    std::vector<DwShown> shown;
    std::optional<DwGraph> graph;

    int columnIndex(const std::string& name) const;  // -1 when unknown
    // The SELECT statement with the arguments placed as literals: texts
    // between single quotes with their quotes doubled, a missing or null
    // argument as NULL (which matches nothing).
    std::string sql(const std::vector<std::optional<std::string>>& arguments) const;
};

// Parses a DataWindow entry (or its source text); nullopt with `error` set.
std::optional<DwDefinition> ParseDataWindow(const Bytes& entry, std::string& error);

// Runs the query; throws vb::VBError with the database's number and text.
// The rows have one column for each result column.
DwRows RetrieveRows(const DwDefinition& dw, dao::Database& db, const std::vector<std::optional<std::string>>& arguments);

// The value of a shown column of a row: the result column or the computed
// field's value (Null when a part of it is Null), computed when asked for.
vb::Variant ShownValue(const DwDefinition& dw, const DwShown& shown, const DwRows& rows, std::size_t row);
// The same over a row of values given one by one.
vb::Variant ShownValue(const DwDefinition& dw, const DwShown& shown, const std::vector<vb::Variant>& row);

// A value in a display format: "[general]", number, date and text formats
// with sections for positive, negative, zero and null, colour codes such as
// "[RED]" and the names "[shortdate]", "[date]", "[longdate]" and "[time]".
struct DwText {
    std::string text;
    std::string colour;  // the section's colour name in lower case, empty for none
};
DwText FormatDwValue(const vb::Variant& value, const std::string& format);

}  // namespace pbvm
