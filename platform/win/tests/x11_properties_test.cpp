// Window properties seen from outside the process: a probe program shows a
// window on a private Xvfb display and the test reads the native window's
// properties with xprop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <memory>
#include <string>

namespace {

void EnsureCoreApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "x11_properties_test";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

// Reads one line from the process, waiting up to `ms`.
std::string ReadLine(QProcess& p, int ms = 15000) {
    while (!p.canReadLine()) {
        if (!p.waitForReadyRead(ms)) return {};
    }
    return p.readLine().trimmed().toStdString();
}

class X11Properties : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef ORVANTA_WIN_HAVE_XCB
        GTEST_SKIP() << "window layer built without libxcb: nothing is mirrored onto X11";
#endif
        EnsureCoreApplication();
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xprop").isEmpty())
            GTEST_SKIP() << "Xvfb or xprop is not installed (Debian: xvfb, x11-utils)";

        xvfb_ = std::make_unique<QProcess>();
        xvfb_->setProcessChannelMode(QProcess::SeparateChannels);
        xvfb_->setStandardErrorFile(QProcess::nullDevice());
        xvfb_->start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
        ASSERT_TRUE(xvfb_->waitForStarted(10000));
        const std::string number = ReadLine(*xvfb_);
        ASSERT_FALSE(number.empty()) << "Xvfb did not report its display";
        display_ = ":" + number;

        probe_ = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", QString::fromStdString(display_));
        env.insert("QT_QPA_PLATFORM", "xcb");
        probe_->setProcessEnvironment(env);
        probe_->setStandardErrorFile(QProcess::nullDevice());
        probe_->start(QString::fromUtf8(WIN_X11_PROBE), {});
        ASSERT_TRUE(probe_->waitForStarted(10000));
        const std::string first = ReadLine(*probe_);
        ASSERT_TRUE(first.starts_with("winid 0x")) << "probe said: " << first;
        window_ = first.substr(6);
    }

    void TearDown() override {
        if (probe_) {
            probe_->write("quit\n");
            if (!probe_->waitForFinished(5000)) probe_->kill();
            probe_->waitForFinished(5000);
        }
        if (xvfb_) {
            xvfb_->terminate();
            if (!xvfb_->waitForFinished(5000)) xvfb_->kill();
            xvfb_->waitForFinished(5000);
        }
    }

    std::string Command(const std::string& line) {
        probe_->write((line + "\n").c_str());
        return ReadLine(*probe_);
    }

    // What xprop prints for one property of a window, e.g.
    // "ZEVSKIPME(CARDINAL) = 1" or "ZEVSKIPME:  not found.".
    std::string Xprop(const std::string& window, const std::string& property) {
        QProcess xprop;
        xprop.start("xprop", {"-display", QString::fromStdString(display_), "-id",
                              QString::fromStdString(window), QString::fromStdString(property)});
        if (!xprop.waitForFinished(10000)) return "xprop did not finish";
        return xprop.readAllStandardOutput().trimmed().toStdString();
    }

    std::unique_ptr<QProcess> xvfb_;
    std::unique_ptr<QProcess> probe_;
    std::string display_;
    std::string window_;
};

}  // namespace

TEST_F(X11Properties, PropertiesAreReadableWithXprop) {
    EXPECT_EQ(Xprop(window_, "ZEVSKIPME"), "ZEVSKIPME(CARDINAL) = 1");
    EXPECT_EQ(Command("set ZEVINFOHI 1234"), "ok");
    EXPECT_EQ(Xprop(window_, "ZEVINFOHI"), "ZEVINFOHI(CARDINAL) = 4660");
    EXPECT_EQ(Command("set ZEVINFOHI ffff"), "ok");
    EXPECT_EQ(Xprop(window_, "ZEVINFOHI"), "ZEVINFOHI(CARDINAL) = 65535");
    EXPECT_EQ(Command("set Wide 100000002"), "ok");
    EXPECT_EQ(Xprop(window_, "Wide"), "Wide(CARDINAL) = 2, 1");

    EXPECT_EQ(Command("remove zevinfohi"), "ok");
    EXPECT_EQ(Xprop(window_, "ZEVINFOHI"), "ZEVINFOHI:  not found.");
    EXPECT_EQ(Xprop(window_, "ZEVSKIPME"), "ZEVSKIPME(CARDINAL) = 1");
}

TEST_F(X11Properties, PropertiesFollowARecreatedNativeWindow) {
    EXPECT_EQ(Command("set ZEVDISPLO 42"), "ok");
    std::string answer = Command("recreate");
    ASSERT_TRUE(answer.starts_with("winid 0x")) << answer;
    const std::string recreated = answer.substr(6);
    EXPECT_NE(recreated, window_);
    EXPECT_EQ(Xprop(recreated, "ZEVSKIPME"), "ZEVSKIPME(CARDINAL) = 1");
    EXPECT_EQ(Xprop(recreated, "ZEVDISPLO"), "ZEVDISPLO(CARDINAL) = 66");

    answer = Command("reparent");
    ASSERT_TRUE(answer.starts_with("winid 0x")) << answer;
    const std::string reparented = answer.substr(6);
    EXPECT_NE(reparented, recreated);
    EXPECT_EQ(Xprop(reparented, "ZEVDISPLO"), "ZEVDISPLO(CARDINAL) = 66");

    // Removed properties stay removed on the next native window.
    EXPECT_EQ(Command("remove ZEVDISPLO"), "ok");
    answer = Command("recreate");
    ASSERT_TRUE(answer.starts_with("winid 0x")) << answer;
    EXPECT_EQ(Xprop(answer.substr(6), "ZEVDISPLO"), "ZEVDISPLO:  not found.");
    EXPECT_EQ(Xprop(answer.substr(6), "ZEVSKIPME"), "ZEVSKIPME(CARDINAL) = 1");
}

TEST_F(X11Properties, ChildGetsItsPropertiesWhenItBecomesNative) {
    std::string answer = Command("child");
    ASSERT_TRUE(answer.starts_with("child 0x")) << answer;
    const std::string child = answer.substr(6);
    EXPECT_NE(child, "0x0");
    EXPECT_EQ(Xprop(child, "ZEVCHILD"), "ZEVCHILD(CARDINAL) = 7");
}

TEST_F(X11Properties, DestroyedHandleTakesItsPropertiesOffALivingWindow) {
    EXPECT_EQ(Command("forget"), "ok");
    EXPECT_EQ(Xprop(window_, "ZEVSKIPME"), "ZEVSKIPME:  not found.");
}
