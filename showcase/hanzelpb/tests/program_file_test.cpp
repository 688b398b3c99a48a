// The built program file: its appended object library and its export table.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "class_routines.h"
#include "class_source.h"
#include "export_table.h"
#include "hanzel_runtime.h"
#include "library_file.h"

namespace {

using pbvm::Bytes;

Bytes programBytes() {
    std::ifstream in(hanzel::test::ProgramFile(), std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::uint32_t get32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

TEST(ProgramFile, TheLastBlockIsATrailerPointingAtTheHeader) {
    Bytes file = programBytes();
    ASSERT_GT(file.size(), 512u);
    const std::size_t trailer = file.size() - 512;
    ASSERT_EQ(std::memcmp(&file[trailer], "TRL*", 4), 0);
    const std::uint32_t header = get32(file, trailer + 4);
    EXPECT_EQ(header % 512, 0u);
    ASSERT_LT(header, file.size());
    EXPECT_EQ(std::memcmp(&file[header], "HDR*PowerBuilder\0\0" "0600", 22), 0);
    EXPECT_EQ(file.size() - header, 476u * 512);  // 243,712 bytes
}

TEST(ProgramFile, EntriesReadBackByNameWithTheirSizes) {
    std::string error;
    auto library = pbvm::LibraryReader::Open(hanzel::test::ProgramFile().string(), error);
    ASSERT_TRUE(library) << error;
    const std::vector<std::pair<std::string, std::size_t>> expected = {
        {"welcome.bmp", 19254},   {"d_product_graph2.dwo", 6382}, {"d_dddw_customer.dwo", 2494},
        {"bul.bmp", 1134},        {"d_customer_info.dwo", 6518},  {"pb.bmp", 126030},
        {"d_product.dwo", 7504},  {"d_printorder.dwo", 7342},     {"w_samples.win", 20380},
        {"w_about.win", 7031},    {"m_main.men", 6010},           {"w_main1.win", 17975},
        {"pbapplet32.apl", 3278}, {"ob.exe", 97}};
    std::vector<std::string> names;
    for (const auto& [name, size] : expected) {
        names.push_back(name);
        auto data = library->Read(name, error);
        ASSERT_TRUE(data) << name << ": " << error;
        EXPECT_EQ(data->size(), size) << name;
        if (name.ends_with(".dwo")) {
            EXPECT_EQ(std::memcmp(data->data(), "PDW0606\0pdw", 11), 0) << name;
        }
        if (name.ends_with(".win") || name.ends_with(".men") || name.ends_with(".apl")) {
            EXPECT_EQ(std::memcmp(data->data(), "PBC0600", 8), 0) << name;
        }
    }
    EXPECT_EQ(library->names(), names);

    auto welcome = *library->Read("welcome.bmp");
    ASSERT_EQ(welcome.size(), 19254u);
    EXPECT_EQ(welcome[0], 'B');
    EXPECT_EQ(welcome[1], 'M');
    EXPECT_EQ(get32(welcome, 18), 256u);
    EXPECT_EQ(get32(welcome, 22), 25u);
    EXPECT_EQ(welcome[28], 24);
    auto pb = *library->Read("pb.bmp");
    EXPECT_EQ(get32(pb, 18), 241u);
    EXPECT_EQ(get32(pb, 22), 174u);
}

TEST(ProgramFile, ObjectListAndTypeOrdersOfTheClasses) {
    std::string error;
    auto library = pbvm::LibraryReader::Open(hanzel::test::ProgramFile().string(), error);
    ASSERT_TRUE(library) << error;
    auto list = pbvm::ParseObjectList(*library->Read("ob.exe"), error);
    ASSERT_TRUE(list) << error;
    EXPECT_EQ(list->application, "pbapplet32.apl");
    EXPECT_EQ(list->classes, (std::vector<std::string>{"_typedef.grp", "pbapplet32.apl", "w_main1.win", "m_main.men",
                                                        "w_about.win", "w_samples.win"}));
    auto parse = [&](const std::string& entry) {
        auto def = pbvm::ParseClassEntry(*library->Read(entry), error);
        EXPECT_TRUE(def) << entry << ": " << error;
        return def ? *def : pbvm::ClassDef{};
    };
    auto app = parse("pbapplet32.apl");
    EXPECT_EQ(app.typeId("pbapplet32"), 0x8009);
    EXPECT_EQ(app.typeId("transaction"), 0x8001);
    EXPECT_EQ(app.typeId("message"), 0x8005);

    auto main = parse("w_main1.win");
    EXPECT_EQ(main.typeId("w_main1"), 0x8002);
    EXPECT_EQ(main.typeId("windowobject"), 0x8006);
    const std::vector<std::pair<std::string, int>> controls = {
        {"p_welcome_image", 0x8013}, {"p_8", 0x8015},          {"p_7", 0x8016},          {"p_6", 0x8017},
        {"p_5", 0x8018},             {"p_4", 0x8019},          {"p_2", 0x801A},          {"rte_pb60_info", 0x801C},
        {"st_ocx", 0x801E},          {"st_datastore", 0x8024}, {"st_dropdata", 0x8025},  {"st_hiddendata", 0x8026},
        {"st_data", 0x8027},         {"st_trees", 0x8028},     {"lb_dir1", 0x802A},      {"st_current_dir1", 0x802B},
        {"cb_main_exit", 0x802D},    {"cb_main_next", 0x802E}, {"p_testy_image", 0x802F}, {"m_main", 0x8030}};
    int field = 38;
    for (const auto& [name, id] : controls) {
        EXPECT_EQ(main.typeId(name), id) << name;
        if (name == "m_main") continue;
        ASSERT_TRUE(main.object(name)) << name;
        EXPECT_EQ(main.object(name)->field, field++) << name;
    }

    auto menu = parse("m_main.men");
    EXPECT_EQ(menu.typeId("menu"), 0x8001);
    EXPECT_EQ(menu.typeId("m_main"), 0x8002);
    EXPECT_EQ(menu.typeId("m_file"), 0x8010);
    EXPECT_EQ(menu.typeId("m_samplecomponents"), 0x8014);

    auto about = parse("w_about.win");
    EXPECT_EQ(about.types[0], "window");
    EXPECT_EQ(about.types[1], "w_about");
    EXPECT_EQ(about.typeId("cb_1"), 0x801E);
    EXPECT_EQ(about.typeId("st_4"), 0x8013);
    EXPECT_EQ(about.typeId("st_1"), 0x801C);

    auto samples = parse("w_samples.win");
    const std::vector<std::pair<std::string, int>> sampleTypes = {
        {"w_samples", 32770},     {"cb_home", 32787},        {"tab_control1", 32792},  {"tab_commonctrls", 32796},
        {"dw_hidden", 32800},     {"st_dw_label", 32803},    {"dw_order_info", 32805}, {"tv_product", 32807},
        {"st_tree_abel", 32809},  {"tab_datawindow", 32810}, {"dw_graph_2", 32811},    {"st_ocx_label", 32812},
        {"dw_customer_info", 32813}, {"st_dw_label2", 32814}, {"datastore", 32815},    {"windowobject", 32774},
        {"userobject", 32793}};
    for (const auto& [name, id] : sampleTypes) EXPECT_EQ(samples.typeId(name), id) << name;
}

TEST(ExportTable, NamesOrdinalsAndAddresses) {
    const auto& table = hanzel::g_exportDirectory;
    EXPECT_STREQ(table.moduleName, "pbhanzel.exe");
    ASSERT_EQ(table.count, 49u);
    std::vector<std::string> names;
    for (std::uint32_t i = 0; i < table.count; ++i) {
        EXPECT_EQ(table.entries[i].ordinal, i + 1);
        EXPECT_NE(table.entries[i].address, 0u);
        if (i > 0) {
            EXPECT_GT(table.entries[i].address, table.entries[i - 1].address) << table.entries[i].name;
        }
        names.push_back(table.entries[i].name);
    }
    auto has = [&](const std::string& n) { return std::find(names.begin(), names.end(), n) != names.end(); };
    EXPECT_TRUE(has("__fn_2_32814_33@8"));
    EXPECT_TRUE(has("_getVtableInfo_pbapplet32@12"));
    EXPECT_EQ(names[4], "_getVtableInfo_pbapplet32@12");
    EXPECT_EQ(names[28], "_getVtableInfo_w_about@12");
    EXPECT_EQ(names[29], "__fn_5_32770_118@8");
    EXPECT_EQ(names[41], "__fn_5_32807_39@8");
    EXPECT_EQ(names[48], "_getVtableInfo_w_samples@12");
    EXPECT_EQ(table.entries[10].address, pbvm::Low(reinterpret_cast<const void*>(&hanzel::fn_2_32814_33)));
}

}  // namespace
