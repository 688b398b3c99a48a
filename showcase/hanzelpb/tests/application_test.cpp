// pbhanzel's application object, start window, menu and About window run on
// the runtime with the program's object library.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>
#include <QToolBar>
#include <fstream>

#include "hanzel_runtime.h"
#include "vm_state.h"

namespace {

using namespace hanzel;
using hanzel::test::Field;
using hanzel::test::FieldText;
using hanzel::test::HanzelTest;

pbvm::Runtime& runtime() { return pbvm::Runtime::Get(); }

u32 sqlca() { return pbvm::At<pbvm::PbValue>(runtime().GlobalRecord("sqlca"))->value; }

// Connection stand-ins: each sets the transaction's result fields.
struct ConnectScript {
    std::vector<int> results;  // per call: 0 success, -1 failure, 1 null result code
    int calls = 0;
} g_connect;

u32 scriptedConnect(u32, u32 transaction) {
    int outcome = g_connect.calls < static_cast<int>(g_connect.results.size()) ? g_connect.results[g_connect.calls] : 0;
    ++g_connect.calls;
    pbvm::PbValue& code = Field(transaction, 8);
    code = {static_cast<u32>(outcome == -1 ? -1 : 0),
            static_cast<u16>(pbvm::flag::kLong | (outcome == 1 ? pbvm::flag::kNull : 0)), pbvm::type::kLong};
    Field(transaction, 10) = {outcome == -1 ? 5u : 0u, pbvm::flag::kLong, pbvm::type::kLong};
    test::SetFieldText(transaction, 11, outcome == -1 ? "Data source name not found" : "");
    return 1;
}

// Object functions seen by the start window's open event: dirlist leaves a
// folder text ending in a backslash; insertdocument's arguments are kept.
struct ObjectCalls {
    std::string document;
    pbvm::PbValue clear{}, fileType{};
    std::vector<u32> indexes;
} g_calls;

u32 scriptedObjectCall(u32 object, u32 zero, u32 index, u32 count, u32 first, u32 result) {
    g_calls.indexes.push_back(index);
    const pbvm::PbValue* args = pbvm::At<pbvm::PbValue>(first);
    if (index == 47 && count == 3) {
        test::SetFieldText(args[2].value, 23, "C:\\TEMP\\");
        return 1;
    }
    if (index == 132 && count == 3) {
        g_calls.document = args[0].value ? pbvm::At<const char>(args[0].value) : "";
        g_calls.clear = args[1];
        g_calls.fileType = args[2];
        return 1;
    }
    auto real = reinterpret_cast<u32 (*)(u32, u32, u32, u32, u32, u32)>(PBVM60_ProcByOrdinal(2384));
    return real(object, zero, index, count, first, result);
}

class Application : public HanzelTest {
protected:
    void SetUp() override {
        HanzelTest::SetUp();
        g_connect = ConnectScript{};
    }
    QMainWindow* window(const std::string& name) {
        return qobject_cast<QMainWindow*>(runtime().Window(name));
    }
    template <class W>
    W* control(QWidget* window, const char* name) {
        return window ? window->findChild<W*>(QString::fromLatin1(name)) : nullptr;
    }
};

TEST_F(Application, OpensTheStartWindowWithItsTextsFilesAndDocument) {
    runtime().StartApplication("");
    ASSERT_TRUE(messages_.empty()) << messages_.front().text;
    EXPECT_EQ(Field(sqlca(), 8).value, 0u);
    EXPECT_EQ(FieldText(sqlca(), 2), "tavorin.mdb");
    EXPECT_EQ(FieldText(sqlca(), 1), "ODBC");
    EXPECT_EQ(FieldText(sqlca(), 5), "");  // "LogID=" is present and empty
    EXPECT_EQ(FieldText(runtime().ApplicationObject(), 0), "pbapplet32");

    QMainWindow* main = window("w_main1");
    ASSERT_TRUE(main);
    EXPECT_TRUE(runtime().Running());
    EXPECT_EQ(main->windowTitle(), "Tavorin Quentor: Hanzel! with PowerBuilder 6.0");
    const std::pair<const char*, const char*> texts[] = {
        {"st_ocx", "ActiveX controls"},   {"st_datastore", "DataStores"}, {"st_dropdata", "DropDownDataWindows"},
        {"st_hiddendata", "Hidden DataWindows"}, {"st_data", "DataWindows"}, {"st_trees", "TreeViews and Tabs"}};
    for (const auto& [name, text] : texts) {
        auto* label = control<QLabel>(main, name);
        ASSERT_TRUE(label) << name;
        EXPECT_EQ(label->text().toStdString(), text);
        EXPECT_EQ(label->font().family(), "Arial");
        EXPECT_EQ(label->accessibleDescription().toStdString(), name);
    }
    auto* folder = control<QLabel>(main, "st_current_dir1");
    ASSERT_TRUE(folder);
    EXPECT_EQ(std::filesystem::path(folder->text().toStdString()), std::filesystem::current_path());
    auto* files = control<QListWidget>(main, "lb_dir1");
    ASSERT_TRUE(files);
    QStringList names;
    for (int i = 0; i < files->count(); ++i) names << files->item(i)->text();
    EXPECT_EQ(names, (QStringList{"pb60.rtf", "tavorin.ini", "tavorin.mdb"}));
    auto* document = control<QTextEdit>(main, "rte_pb60_info");
    ASSERT_TRUE(document);
    EXPECT_TRUE(document->toPlainText().startsWith("Use this applet with the Tavorin Quentor: Hanzel! card."));
    EXPECT_EQ(document->property("documentname").toString(), "pb60.rtf");
    EXPECT_EQ(document->palette().color(QPalette::Base), QColor(192, 192, 192));
    auto* welcome = control<QLabel>(main, "p_welcome_image");
    ASSERT_TRUE(welcome);
    EXPECT_EQ(welcome->pixmap().size(), QSize(256, 25));
    EXPECT_EQ(control<QLabel>(main, "p_2")->pixmap().size(), QSize(20, 18));
    EXPECT_EQ(control<QLabel>(main, "p_testy_image")->pixmap().size(), QSize(241, 174));
    EXPECT_EQ(control<QPushButton>(main, "cb_main_exit")->text(), "Exit");
    EXPECT_EQ(control<QPushButton>(main, "cb_main_next")->text(), "Next >>>");
}

TEST_F(Application, TheDocumentNameIsTheFolderTextWithPb60AppendedAsItStands) {
    g_calls = ObjectCalls{};
    test::ImportOverride calls(kCallObjectFunction, reinterpret_cast<void*>(&scriptedObjectCall));
    runtime().StartApplication("");
    ASSERT_TRUE(window("w_main1"));
    EXPECT_EQ(g_calls.document, "C:\\TEMP\\\\pb60.rtf");
    EXPECT_EQ(g_calls.clear.type, pbvm::type::kBoolean);
    EXPECT_EQ(g_calls.clear.value, 1u);
    EXPECT_EQ(g_calls.fileType.type, pbvm::type::kFileTypeEnum);
    EXPECT_EQ(g_calls.fileType.value, 1u);
    // The rich-text control's create event first, then dirlist and insertdocument.
    EXPECT_EQ(g_calls.indexes, (std::vector<u32>{80, 40, 54, 47, 132}));
}

TEST_F(Application, TheMenuHasItsItemsAndToolbarPictures) {
    runtime().StartApplication("");
    QMainWindow* main = window("w_main1");
    ASSERT_TRUE(main);
    QStringList top;
    for (QAction* a : main->menuBar()->actions()) top << a->text();
    EXPECT_EQ(top, (QStringList{"&File", "&Samples"}));
    auto items = [&](const char* menu) {
        QStringList out;
        for (QAction* a : main->findChild<QMenu*>(menu)->actions()) out << a->text();
        return out;
    };
    EXPECT_EQ(items("m_file"), (QStringList{"&Exit", "&About"}));
    EXPECT_EQ(items("m_samples"), (QStringList{"&Sample Components"}));
    auto* toolbar = main->findChild<QToolBar*>("toolbar");
    ASSERT_TRUE(toolbar);
    QStringList pictures;
    for (QAction* a : toolbar->actions()) pictures << a->property("toolbaritemname").toString();
    EXPECT_EQ(pictures, (QStringList{"Custom080!", "Custom090!", "Custom069!"}));
}

TEST_F(Application, AboutShowsTheAboutWindowAndOkClosesIt) {
    runtime().StartApplication("");
    QMainWindow* main = window("w_main1");
    ASSERT_TRUE(main);
    main->findChild<QAction*>("m_about")->trigger();
    QMainWindow* about = window("w_about");
    ASSERT_TRUE(about);
    EXPECT_EQ(about->windowTitle(), "About PB Hanzel...");
    EXPECT_EQ(control<QLabel>(about, "st_4")->text(), "Tavorin Quentor for PowerBuilder 6.0");
    EXPECT_EQ(control<QLabel>(about, "st_3")->text(), "PowerBuilder 6.0, 32bit");
    EXPECT_FALSE(control<QLabel>(about, "st_2")->text().isEmpty());
    EXPECT_FALSE(control<QLabel>(about, "st_1")->text().isEmpty());
    control<QPushButton>(about, "cb_1")->click();
    EXPECT_FALSE(window("w_about"));
    EXPECT_TRUE(window("w_main1"));
    EXPECT_EQ(runtime().OpenWindows().size(), 1u);
    EXPECT_EQ(pbvm::At<pbvm::PbValue>(runtime().GlobalRecord("w_about"))->value, 0u);
}

TEST_F(Application, NextAndSampleComponentsSwitchToTheSamplesWindow) {
    runtime().StartApplication("");
    QMainWindow* main = window("w_main1");
    ASSERT_TRUE(main);
    control<QPushButton>(main, "cb_main_next")->click();
    ASSERT_TRUE(window("w_samples"));
    EXPECT_FALSE(window("w_main1"));
    EXPECT_EQ(runtime().OpenWindows().size(), 1u);
    control<QPushButton>(window("w_samples"), "cb_home")->click();
    main = window("w_main1");
    ASSERT_TRUE(main);
    EXPECT_FALSE(window("w_samples"));
    main->findChild<QAction*>("m_samplecomponents")->trigger();
    EXPECT_TRUE(window("w_samples"));
    EXPECT_FALSE(window("w_main1"));
    EXPECT_EQ(runtime().OpenWindows().size(), 1u);
    EXPECT_TRUE(runtime().Running());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Application, AWindowWhoseMenuNameIsNullOrAnotherGetsNoMenu) {
    runtime().StartApplication("");
    const u32 main = pbvm::At<pbvm::PbValue>(runtime().GlobalRecord("w_main1"))->value;
    ASSERT_NE(main, 0u);
    EXPECT_NE(runtime().FieldObject(main, 11), 0u);  // m_main, made by the create event
    for (bool null : {false, true}) {
        Field(main, 11) = {0, pbvm::flag::kValue | pbvm::flag::kNull, 0x8030};
        test::SetFieldText(main, 10, "m_other");
        if (null) Field(main, 10).flags |= pbvm::flag::kNull;
        EXPECT_TRUE(runtime().TriggerEvent(main, 0));
        EXPECT_EQ(runtime().FieldObject(main, 11), 0u) << (null ? "null" : "m_other");
    }
}

TEST_F(Application, ExitHaltsTheApplication) {
    runtime().StartApplication("");
    ASSERT_TRUE(window("w_main1"));
    control<QPushButton>(window("w_main1"), "cb_main_exit")->click();
    EXPECT_TRUE(runtime().Halted());
    EXPECT_FALSE(runtime().Running());
}

TEST_F(Application, ExitFromTheMenuHaltsToo) {
    runtime().StartApplication("");
    ASSERT_TRUE(window("w_main1"));
    window("w_main1")->findChild<QAction*>("m_exit")->trigger();
    EXPECT_TRUE(runtime().Halted());
}

TEST_F(Application, ClosingTheStartWindowEndsTheApplicationAndDisconnects) {
    runtime().StartApplication("");
    ASSERT_TRUE(window("w_main1"));
    u32 transaction = sqlca();
    window("w_main1")->close();
    EXPECT_FALSE(runtime().Running());
    EXPECT_FALSE(window("w_main1"));
    runtime().EndApplication();
    EXPECT_EQ(pbvm::At<pbvm::PbValue>(runtime().GlobalRecord("sqlca"))->value, 0u);
    (void)transaction;
}

TEST_F(Application, AMissingDatabaseShowsTheConnectionErrorAndEnds) {
    WriteSettings("missing.mdb");
    runtime().StartApplication("");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "Tavorin DSN DB Error");
    EXPECT_EQ(messages_[0].icon, 1);
    const std::string& text = messages_[0].text;
    EXPECT_EQ(text.substr(0, 7), "3024 - ");
    EXPECT_NE(text.find("\n\nDBMS=ODBC\nDBPARM=ConnectString='DSN=Tavorin'"), std::string::npos) << text;
    EXPECT_TRUE(runtime().Halted());
    EXPECT_TRUE(runtime().OpenWindows().empty());
}

TEST_F(Application, TwoFailedConnectionsShowTheFourLines) {
    test::ImportOverride connect(kConnect, reinterpret_cast<void*>(&scriptedConnect));
    g_connect.results = {-1, -1};
    runtime().StartApplication("");
    EXPECT_EQ(g_connect.calls, 2);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "5 - Data source name not found\n\nDBMS=ODBC\nDBPARM=ConnectString='DSN=Tavorin'");
    EXPECT_TRUE(runtime().Halted());
    EXPECT_TRUE(runtime().OpenWindows().empty());
}

TEST_F(Application, AFailureThenASuccessOpensTheStartWindowSilently) {
    test::ImportOverride connect(kConnect, reinterpret_cast<void*>(&scriptedConnect));
    g_connect.results = {-1, 0};
    runtime().StartApplication("");
    EXPECT_EQ(g_connect.calls, 2);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(window("w_main1"));
}

TEST_F(Application, ANullResultCodeCountsAsSuccess) {
    test::ImportOverride connect(kConnect, reinterpret_cast<void*>(&scriptedConnect));
    g_connect.results = {1};
    runtime().StartApplication("");
    EXPECT_EQ(g_connect.calls, 1);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(window("w_main1"));
}

TEST_F(Application, TheApplicationEndsEvenWhenTheErrorCannotBeShown) {
    WriteSettings("missing.mdb");
    messageAnswer_ = 0;
    runtime().StartApplication("");
    EXPECT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(runtime().Halted());
    EXPECT_TRUE(runtime().OpenWindows().empty());
}

TEST_F(Application, TheErrorNeverShowsAPassword) {
    WriteSettings("missing.mdb", "ConnectString='DSN=Tavorin;UID=dba;PWD=topsecret'");
    runtime().StartApplication("");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text.find("topsecret"), std::string::npos);
    EXPECT_NE(messages_[0].text.find("PWD=****"), std::string::npos) << messages_[0].text;
}

TEST_F(Application, AMissingSettingsFileGivesSingleSpaces) {
    std::filesystem::remove("tavorin.ini");
    runtime().StartApplication("");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].text.find("\n\nDBMS= \nDBPARM= "), std::string::npos) << messages_[0].text;
}

// A settings value of megabytes is cut before the error box gets it: at
// most 1,024 characters and 24 lines, then an ellipsis.
TEST_F(Application, AHugeDatabaseNameGivesABoundedConnectionError) {
    WriteSettings(std::string(4 << 20, 'D') + ".mdb");
    runtime().StartApplication("");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "Tavorin DSN DB Error");
    const std::string& text = messages_[0].text;
    EXPECT_EQ(text.substr(0, 7), "3024 - ");
    EXPECT_LE(text.size(), 1024u + 3);
    EXPECT_EQ(text.substr(text.size() - 3), "\xE2\x80\xA6");
    EXPECT_NE(text.find(std::string(500, 'D')), std::string::npos);
    EXPECT_TRUE(runtime().Halted());
}

// A description document that cannot be read whole is shown as far as it
// reads, and the start window opens all the same.
TEST_F(Application, ADamagedDocumentShowsWhatItCanAndTheWindowOpens) {
    const std::pair<const char*, const char*> documents[] = {
        {"{\\rtf1 bad hex \\'zz here}", "bad hex zz here"},
        {"{\\rtf1\\fs99999999999 big}", "big"},
        {"{\\rtf1 {{{{\\u-", ""},
    };
    for (const auto& [rtf, shown] : documents) {
        std::ofstream(folder_ / "pb60.rtf", std::ios::binary | std::ios::trunc) << rtf;
        runtime().StartApplication("");
        QMainWindow* main = window("w_main1");
        ASSERT_TRUE(main) << rtf;
        auto* document = control<QTextEdit>(main, "rte_pb60_info");
        ASSERT_TRUE(document);
        EXPECT_EQ(document->toPlainText().toStdString(), shown) << rtf;
        runtime().EndApplication();
    }
}

// Sizes from the library as large as a 32-bit value can be give a window
// and controls within what a screen can show.
TEST_F(Application, HugeSizesInAClassGiveBoundedWindowsAndFonts) {
    auto& objects = pbvm::S().groups.at(runtime().GroupOf("w_about")).def.objects;
    const auto saved = objects;
    for (auto& o : objects) {
        o.properties["width"] = 4294967295L;
        o.properties["height"] = 2147483647L;
        o.properties["x"] = -2147483648L;
        if (o.name == "st_4") o.properties["textsize"] = -2147483648L;
        if (o.name == "st_3") o.properties["textsize"] = 2147483647L;
    }
    runtime().StartApplication("");
    window("w_main1")->findChild<QAction*>("m_about")->trigger();
    QMainWindow* about = window("w_about");
    objects = saved;
    ASSERT_TRUE(about);
    const QSize client = about->centralWidget()->size();
    EXPECT_LE(client.width(), 32767);
    EXPECT_LE(client.height(), 32767);
    auto* label = control<QLabel>(about, "st_4");
    ASSERT_TRUE(label);
    EXPECT_GE(label->x(), -32768);
    EXPECT_LE(label->width(), 32767);
    EXPECT_EQ(label->font().pointSize(), 1638);
    EXPECT_EQ(control<QLabel>(about, "st_3")->font().pixelSize(), 1638);
}

}  // namespace
