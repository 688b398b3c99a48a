// The five DataWindow objects of the program's library, retrieved over a
// copy of the sample database: their queries, columns, labels, display
// formats, drop-down column, computed field and graph.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "class_source.h"
#include "dao.h"
#include "dw_definition.h"
#include "err.h"
#include "hanzel_runtime.h"
#include "library_file.h"

namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

class DataWindowObjects : public ::testing::Test {
protected:
    void SetUp() override {
        copy_ = fs::temp_directory_path() / ("hanzel_dw_" + std::to_string(::getpid()) + ".mdb");
        fs::remove(copy_);
        fs::copy_file(hanzel::test::BinDir() / "tavorin.mdb", copy_);
        db_ = dao::OpenDatabase(copy_.string());
    }
    void TearDown() override {
        db_->Close();
        fs::remove(copy_);
    }
    pbvm::DwDefinition object(const std::string& name) {
        std::string error;
        auto library = pbvm::LibraryReader::Open(hanzel::test::ProgramFile().string(), error);
        EXPECT_TRUE(library) << error;
        auto data = library ? library->Read(name + ".dwo", error) : std::nullopt;
        EXPECT_TRUE(data) << error;
        auto dw = data ? pbvm::ParseDataWindow(*data, error) : std::nullopt;
        EXPECT_TRUE(dw) << error;
        return dw ? *dw : pbvm::DwDefinition{};
    }
    // The shown texts of each row, and the colour of each.
    std::vector<V> texts(const pbvm::DwDefinition& dw, const std::vector<std::optional<std::string>>& args,
                         std::vector<V>* colours = nullptr) {
        std::vector<V> out;
        const pbvm::DwRows rows = pbvm::RetrieveRows(dw, *db_, args);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            V line, colour;
            for (const auto& s : dw.shown) {
                auto t = pbvm::FormatDwValue(pbvm::ShownValue(dw, s, rows, r), s.format);
                line.push_back(t.text);
                colour.push_back(t.colour);
            }
            out.push_back(line);
            if (colours) colours->push_back(colour);
        }
        return out;
    }
    static V labels(const pbvm::DwDefinition& dw) {
        V out;
        for (const auto& s : dw.shown) out.push_back(s.label);
        return out;
    }
    fs::path copy_;
    std::shared_ptr<dao::Database> db_;
};

TEST_F(DataWindowObjects, ProductOrdersShowCustomerDateQuantityPriceAndOrderValue) {
    auto dw = object("d_product");
    EXPECT_EQ(dw.columns, (V{"product", "unitssold", "costperunit", "priceperunit", "unitspercarton", "productid",
                             "orderdata_orderdate", "orderdata_quantity", "customer_customername"}));
    EXPECT_EQ(labels(dw), (V{"Product Name", "Customer Name", "Order Date", "Order Quantity", "Price per unit",
                             "Total Order Value"}));
    ASSERT_EQ(dw.arguments.size(), 1u);
    EXPECT_EQ(dw.arguments[0].name, "prod_name");
    EXPECT_TRUE(dw.shown[0].boldLabel);
    EXPECT_EQ(dw.shown[1].dropDown, "d_dddw_customer");
    EXPECT_EQ(dw.shown[1].dropDisplay, "customername");
    EXPECT_EQ(dw.shown[5].computed, "cf_order_value");
    // The product name compares as the database compares text: "widget"
    // finds "Widget".
    EXPECT_EQ(texts(dw, {"widget"}), (std::vector<V>{{"Widget", "Abbott Hardware", "2-Mar-98", "48", "$4.75", "$228.00"},
                                                     {"Widget", "Delta Tool Works", "6-Jul-98", "24", "$4.75", "$114.00"}}));
    EXPECT_EQ(texts(dw, {"Gizmo Deluxe"}),
              (std::vector<V>{{"Gizmo Deluxe", "Evergreen Stores", "20-Apr-98", "12", "$11.25", "$135.00"}}));
}

TEST_F(DataWindowObjects, AProductWithoutOrdersANullNameAndAQuoteGiveNoRows) {
    auto dw = object("d_product");
    EXPECT_TRUE(texts(dw, {"Thing Division"}).empty());
    EXPECT_TRUE(texts(dw, {std::nullopt}).empty());
    EXPECT_TRUE(texts(dw, {}).empty());
    EXPECT_TRUE(texts(dw, {"O'Brien's Widget"}).empty());
    db_->Execute("INSERT INTO product VALUES ('20', 'O''Brien''s Widget', 0, 1, 2, 1)");
    db_->Execute("INSERT INTO OrderData VALUES (20, '9/1/1998', 2, '20', 1)");
    EXPECT_EQ(texts(dw, {"O'Brien's Widget"}).size(), 1u);
}

TEST_F(DataWindowObjects, ANegativeOrderValueShowsInRedParentheses) {
    db_->Execute("INSERT INTO OrderData VALUES (30, '8/3/1998', -5, '1', 2)");
    auto dw = object("d_product");
    std::vector<V> colours;
    auto rows = texts(dw, {"Widget"}, &colours);
    ASSERT_EQ(rows.size(), 3u);
    auto it = std::find_if(rows.begin(), rows.end(), [](const V& r) { return r[3] == "-5"; });
    ASSERT_NE(it, rows.end());
    EXPECT_EQ((*it)[5], "($23.75)");
    EXPECT_EQ(colours[it - rows.begin()][5], "red");
    EXPECT_EQ(colours[it - rows.begin()][4], "");  // the positive price keeps its colour
}

TEST_F(DataWindowObjects, CustomerTableShowsSevenColumnsAndRetrievesTheFax) {
    auto dw = object("d_customer_info");
    EXPECT_EQ(dw.columns, (V{"customername", "address", "city", "state", "zipcode", "customerid", "telelphone", "fax"}));
    EXPECT_EQ(labels(dw), (V{"Customer Name", "Address", "City", "State", "Zipcode", "ID", "Telephone"}));
    auto rows = texts(dw, {});
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], (V{"Abbott Hardware", "12 Mill Road", "Springfield", "IL", "62701", "1", "217-555-0141"}));
    EXPECT_EQ(pbvm::RetrieveRows(dw, *db_, {}).value(0, 7).ToString(), "217-555-0142");
    auto names = object("d_dddw_customer");
    EXPECT_EQ(names.columns, V{"customername"});
    EXPECT_EQ(texts(names, {}).size(), 6u);
}

TEST_F(DataWindowObjects, PrintOrderListsEveryOrderLineWithDateAndTime) {
    auto dw = object("d_printorder");
    EXPECT_EQ(dw.columns, (V{"orderid", "orderdate", "quantity", "product_product", "product_costperunit",
                             "product_priceperunit", "product_unitspercarton", "customer_customername"}));
    EXPECT_EQ(labels(dw), (V{"Orderid:", "Customer:", "Orderdate:", "Product:", "Quantity:", "Cost per Unit:",
                             "Price per Unit", "Units per Carton:"}));
    auto rows = texts(dw, {});
    ASSERT_EQ(rows.size(), 11u);
    auto first = std::find_if(rows.begin(), rows.end(), [](const V& r) { return r[0] == "1"; });
    ASSERT_NE(first, rows.end());
    EXPECT_EQ(*first, (V{"1", "Abbott Hardware", "3/2/1998 00:00:00", "Widget", "48", "2.5", "4.75", "24"}));
}

TEST_F(DataWindowObjects, GraphComparesProductIdentifiersAsText) {
    // "10" sorts below "6" as text.
    db_->Execute("INSERT INTO product VALUES ('10', 'Sprocket', 10, 1.5, 2.5, 6)");
    auto dw = object("d_product_graph2");
    ASSERT_TRUE(dw.graph);
    EXPECT_EQ(dw.graph->category, "product");
    EXPECT_EQ(dw.graph->categoryLabel, "Product");
    EXPECT_EQ(dw.graph->values, (V{"costperunit", "priceperunit"}));
    EXPECT_EQ(dw.graph->valueLabel, "Dollars");
    EXPECT_EQ(dw.graph->series, (V{"Cost Per Unit", "Price Per Unit"}));
    EXPECT_EQ(dw.graph->seriesLabel, "Series");
    EXPECT_EQ(dw.graph->axisFont.weight, 700);
    V categories;
    const pbvm::DwRows rows = pbvm::RetrieveRows(dw, *db_, {});
    for (std::size_t r = 0; r < rows.size(); ++r) categories.push_back(rows.value(r, 0).ToString());
    std::sort(categories.begin(), categories.end());
    EXPECT_EQ(categories, (V{"Gizmo", "Gizmo Deluxe", "Mini-Widget", "Sprocket", "Super-Widget", "Widget"}));
}

TEST(DataWindowFormats, SectionsColoursAndNames) {
    const std::string money = "$#,##0.00;[RED]($#,##0.00)";
    EXPECT_EQ(pbvm::FormatDwValue(vb::Variant(1234.5), money).text, "$1,234.50");
    auto negative = pbvm::FormatDwValue(vb::Variant(-1234.5), money);
    EXPECT_EQ(negative.text, "($1,234.50)");
    EXPECT_EQ(negative.colour, "red");
    EXPECT_EQ(pbvm::FormatDwValue(vb::Variant(0.0), money).text, "$0.00");
    EXPECT_EQ(pbvm::FormatDwValue(vb::Variant::Null(), money).text, "");
    const vb::Date date = vb::Date::FromParts(1998, 3, 2, 14, 5, 9);
    EXPECT_EQ(pbvm::FormatDwValue(vb::Variant(date), "d-mmm-yy").text, "2-Mar-98");
    EXPECT_EQ(pbvm::FormatDwValue(vb::Variant(date), "[shortdate] [time]").text, "3/2/1998 14:05:09");
    EXPECT_EQ(pbvm::FormatDwValue(vb::Variant("text"), "[general]").text, "text");
}

TEST(DataWindowSource, ArgumentsGoInAsQuotedLiteralsAndNullMatchesNothing) {
    std::string error;
    const std::string source =
        "datawindow d_x\ntable t\ncolumn t.a a\nwhere t.a = :v and t.b = ':v'\nargument v string\nshow a \"[general]\"\n";
    auto dw = pbvm::ParseDataWindow(pbvm::Bytes(source.begin(), source.end()), error);
    ASSERT_TRUE(dw) << error;
    EXPECT_EQ(dw->sql({"it's"}), "SELECT t.a FROM t WHERE (t.a = 'it''s' and t.b = ':v')");
    EXPECT_EQ(dw->sql({std::nullopt}), "SELECT t.a FROM t WHERE (t.a = NULL and t.b = ':v')");
    const std::string bad = "datawindow d_y\ntable t\ncolumn t.a a\nshow b \"[general]\"\n";
    EXPECT_FALSE(pbvm::ParseDataWindow(pbvm::Bytes(bad.begin(), bad.end()), error));
    EXPECT_NE(error.find("b"), std::string::npos);
}

// A DataWindow object whose numbers or computed expression cannot be read is
// refused with its error; the control that uses it reports that error.
TEST(DataWindowSource, DamagedNumbersAndExpressionsAreRefusedWithTheirError) {
    std::ifstream in(fs::path(HANZEL_SOURCE_DIR) / "library/d_product.dws");
    const std::string product((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_NE(product.find("compute cf_order_value"), std::string::npos);
    std::string error;
    ASSERT_TRUE(pbvm::ParseDataWindow(pbvm::CompileDataWindowSource(pbvm::Bytes(product.begin(), product.end())), error))
        << error;
    const std::pair<std::string, std::string> damages[] = {
        {" priceperunit  *  orderdata_quantity ", "1e999*orderdata_quantity"},
        {" priceperunit  *  orderdata_quantity ", "12abc * priceperunit"},
        {" priceperunit  *  orderdata_quantity ", "priceperunit * nothing"},
        {" priceperunit  *  orderdata_quantity ", "(priceperunit * orderdata_quantity"},
        {" priceperunit  *  orderdata_quantity ", "priceperunit orderdata_quantity"},
        {" priceperunit  *  orderdata_quantity ", "priceperunit * "},
        {" priceperunit  *  orderdata_quantity ", std::string(40, '(') + "1" + std::string(40, ')')},
        {"font \"Arial\" -10 400", "font \"Arial\" -99999999999 400"},
        {"font \"Arial\" -10 400", "font \"Arial\" -10 bold"},
    };
    for (const auto& [from, to] : damages) {
        std::string damaged = product;
        damaged.replace(damaged.find(from), from.size(), to);
        std::optional<pbvm::DwDefinition> dw;
        ASSERT_NO_THROW(dw = pbvm::ParseDataWindow(pbvm::CompileDataWindowSource(pbvm::Bytes(damaged.begin(), damaged.end())), error)) << to;
        EXPECT_FALSE(dw) << to;
        EXPECT_NE(error.find(to.substr(0, 12)), std::string::npos) << to << ": " << error;
    }
}

// A computed field that cannot be computed for a row (its expression is
// damaged, a value is no number, the result overflows) shows as Null.
TEST(DataWindowSource, ValuesThatCannotBeComputedAreNull) {
    pbvm::DwDefinition dw;
    dw.columns = {"price", "quantity", "name"};
    auto value = [&](const std::string& expression, const std::vector<vb::Variant>& row) {
        pbvm::DwShown shown;
        shown.computed = "cf";
        shown.expression = expression;
        vb::Variant v;
        EXPECT_NO_THROW(v = pbvm::ShownValue(dw, shown, row)) << expression;
        return v;
    };
    const std::vector<vb::Variant> row = {vb::Variant(vb::Currency::FromDouble(4.75)), vb::Variant(48),
                                          vb::Variant(std::string("Widget"))};
    EXPECT_EQ(value("price * quantity", row).ToString(), "228");
    EXPECT_EQ(value("(price + 1) * 2", row).ToString(), "11.5");
    EXPECT_TRUE(value("1e999 * quantity", row).IsNull());
    EXPECT_TRUE(value("price * nothing", row).IsNull());
    EXPECT_TRUE(value("name * quantity", row).IsNull());
    EXPECT_TRUE(value("1e300 * 1e300 * quantity", row).IsNull());
    EXPECT_TRUE(value("price * 1e300", row).IsNull());  // beyond the largest amount
    EXPECT_TRUE(value("quantity / 0", row).IsNull());
    EXPECT_TRUE(value(std::string(100000, '(') + "1", row).IsNull());
    EXPECT_TRUE(value("price * quantity", {vb::Variant(1)}).IsNull());  // a row without the column
}

TEST(DataWindowFormats, TheLeastAmountInTheNegativeSectionShowsWithoutItsSign) {
    const vb::Variant least(vb::Currency::FromScaled(std::numeric_limits<std::int64_t>::min()));
    pbvm::DwText text;
    ASSERT_NO_THROW(text = pbvm::FormatDwValue(least, "#,##0.00;[RED](#,##0.00)"));
    EXPECT_EQ(text.text, "(922,337,203,685,477.58)");
    EXPECT_EQ(text.colour, "red");
}

}  // namespace
