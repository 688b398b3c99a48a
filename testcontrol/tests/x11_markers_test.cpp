// The markers as the testing tool reads them: the catalogue program runs on a
// private Xvfb display with the control registered, and the test looks at its
// windows from outside with xdotool, xprop and xwininfo, and at the marker
// records through /proc/PID/mem.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>

#include "server_test_support.h"

using namespace zevote::testing;

namespace {

std::string ReadLine(QProcess& p, int ms = 15000) {
    while (!p.canReadLine()) {
        if (!p.waitForReadyRead(ms)) return {};
    }
    return p.readLine().trimmed().toStdString();
}

// Runs a tool on the display and returns what it printed.
std::string RunTool(const std::string& display, const QString& program, const QStringList& args, int ms = 20000) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", QString::fromStdString(display));
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(ms)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return p.readAllStandardOutput().toStdString();
}

// "NAME(CARDINAL) = 123" lines of xprop, by name.
std::map<std::string, std::uint32_t> Cardinals(const std::string& xpropOutput) {
    std::map<std::string, std::uint32_t> values;
    static const std::regex line(R"((\w+)\(CARDINAL\) = (\d+))");
    for (auto it = std::sregex_iterator(xpropOutput.begin(), xpropOutput.end(), line); it != std::sregex_iterator();
         ++it) {
        values[(*it)[1]] = static_cast<std::uint32_t>(std::stoul((*it)[2]));
    }
    return values;
}

class X11Markers : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "zevote_x11_tests";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
        for (const char* tool : {"Xvfb", "xprop", "xdotool", "xwininfo"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                GTEST_SKIP() << tool << " is not installed (Debian: xvfb, x11-utils, xdotool)";
        }
        const std::string program = ProgramFolder() + "/OrvantaC";
        if (!std::filesystem::exists(program)) GTEST_SKIP() << "OrvantaC is not built";

        ControlLibrary library;
        ASSERT_TRUE(library.Loaded()) << com::LastLoadError();
        ASSERT_EQ(library.registerServer(), com::S_OK);

        xvfb_ = std::make_unique<QProcess>();
        xvfb_->setStandardErrorFile(QProcess::nullDevice());
        xvfb_->start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
        ASSERT_TRUE(xvfb_->waitForStarted(10000));
        const std::string number = ReadLine(*xvfb_);
        ASSERT_FALSE(number.empty()) << "Xvfb did not report its display";
        display_ = ":" + number;

        app_ = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", QString::fromStdString(display_));
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("ORVANTA_REGISTRY_DIR", QString::fromStdString(registry_.Folder()));
        app_->setProcessEnvironment(env);
        app_->setStandardOutputFile(QProcess::nullDevice());
        app_->setStandardErrorFile(QProcess::nullDevice());
        app_->start(QString::fromStdString(program), {});
        ASSERT_TRUE(app_->waitForStarted(10000));
    }

    void TearDown() override {
        for (auto* p : {app_.get(), xvfb_.get()}) {
            if (!p) continue;
            p->terminate();
            if (!p->waitForFinished(5000)) p->kill();
            p->waitForFinished(5000);
        }
    }

    // Waits until a window with this title is mapped; its X id.
    // xdotool gives up with an X error when a window it is looking at goes
    // away meanwhile (the program makes and drops windows while it starts),
    // so the search is asked again until the deadline.
    std::string WaitForWindow(const std::string& title) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        do {
            const std::string out = RunTool(display_, "xdotool", {"search", "--sync", "--onlyvisible", "--name",
                                                             QString::fromStdString("^" + title + "$")});
            std::istringstream lines(out);
            std::string id;
            lines >> id;
            if (!id.empty()) return id;
            QThread::msleep(100);
        } while (std::chrono::steady_clock::now() < deadline);
        return {};
    }
    std::map<std::string, std::uint32_t> Markers(const std::string& window) {
        return Cardinals(RunTool(display_, "xprop", {"-id", QString::fromStdString(window), "ZEVDISPHI", "ZEVDISPLO",
                                                 "ZEVINFOHI", "ZEVINFOLO", "ZEVSKIPME"}));
    }
    // Every window below `window` that carries ZEVSKIPME = 1.
    std::vector<std::string> SkippedDescendants(const std::string& window) {
        const std::string tree = RunTool(display_, "xwininfo", {"-tree", "-id", QString::fromStdString(window)});
        std::vector<std::string> skipped;
        static const std::regex child(R"(^\s+(0x[0-9a-f]+) )");
        std::istringstream lines(tree);
        for (std::string line; std::getline(lines, line);) {
            std::smatch m;
            if (!std::regex_search(line, m, child)) continue;
            auto values = Markers(m[1]);
            if (values.count("ZEVSKIPME") && values["ZEVSKIPME"] == 1) skipped.push_back(m[1]);
        }
        return skipped;
    }
    // 32-bit words of the program's memory.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> ReadNode(std::uint32_t address) {
        const std::string mem = "/proc/" + std::to_string(app_->processId()) + "/mem";
        const int fd = open(mem.c_str(), O_RDONLY);
        if (fd < 0) return std::nullopt;
        std::uint32_t words[2] = {};
        const ssize_t got = pread(fd, words, sizeof words, static_cast<off_t>(address));
        close(fd);
        if (got != sizeof words) return std::nullopt;
        return std::pair{words[0], words[1]};
    }
    static std::uint32_t Joined(std::map<std::string, std::uint32_t>& m, const char* hi, const char* lo) {
        return (m[hi] << 16) | (m[lo] & 0xFFFF);
    }

    ScopedRegistry registry_;
    std::unique_ptr<QProcess> xvfb_;
    std::unique_ptr<QProcess> app_;
    std::string display_;
};

TEST_F(X11Markers, LoginWindowCarriesTheMarkersOfItsControl) {
    const std::string login = WaitForWindow("Orvanta Login");
    ASSERT_FALSE(login.empty()) << "the login window did not appear";

    auto markers = Markers(login);
    ASSERT_TRUE(markers.count("ZEVDISPHI") && markers.count("ZEVDISPLO")) << "no dispatch markers on the login window";
    ASSERT_TRUE(markers.count("ZEVINFOHI") && markers.count("ZEVINFOLO")) << "no list on the login window";
    EXPECT_FALSE(markers.count("ZEVSKIPME"));
    const std::uint32_t p = Joined(markers, "ZEVDISPHI", "ZEVDISPLO");
    const std::uint32_t head = Joined(markers, "ZEVINFOHI", "ZEVINFOLO");
    EXPECT_NE(p, 0u);
    const auto node = ReadNode(head);
    ASSERT_TRUE(node.has_value()) << "cannot read the program's memory";
    EXPECT_EQ(node->first, p);
    EXPECT_EQ(node->second, 0u);

    EXPECT_EQ(SkippedDescendants(login).size(), 1u) << "the control's own window carries ZEVSKIPME = 1";

    // After the login the main window has its own list, and the login
    // window's markers went with it.
    RunTool(display_, "xdotool", {"key", "--window", QString::fromStdString(login), "Return"});
    const std::string main = WaitForWindow("Orvanta Online.*");
    ASSERT_FALSE(main.empty());
    auto mainMarkers = Markers(main);
    const std::uint32_t mainHead = Joined(mainMarkers, "ZEVINFOHI", "ZEVINFOLO");
    ASSERT_NE(mainHead, 0u);
    std::uint32_t at = mainHead;
    std::vector<std::uint32_t> values;
    while (at != 0 && values.size() < 16) {
        const auto n = ReadNode(at);
        ASSERT_TRUE(n.has_value());
        values.push_back(n->first);
        at = n->second;
    }
    EXPECT_EQ(std::count(values.begin(), values.end(), p), 0) << "the login control is still in the main list";
    EXPECT_EQ(values.front(), Joined(mainMarkers, "ZEVDISPHI", "ZEVDISPLO"));
}

}  // namespace
