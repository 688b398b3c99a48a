// The hosted control's own window seen from outside the process: a native
// X11 child window of the form's, carrying the properties the control sets.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace {

void EnsureCoreApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "forms_activex_x11_test";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

std::string ReadLine(QProcess& p) {
    while (!p.canReadLine()) {
        if (!p.waitForReadyRead(15000)) return {};
    }
    return p.readLine().trimmed().toStdString();
}

std::string Output(const std::string& program, const QStringList& args) {
    QProcess p;
    p.start(QString::fromStdString(program), args);
    if (!p.waitForFinished(10000)) return program + " did not finish";
    return p.readAllStandardOutput().toStdString();
}

}  // namespace

TEST(HostedControlOnX11, TheControlWindowIsANativeChildOfTheFormWithItsProperties) {
    EnsureCoreApplication();
    for (const char* tool : {"Xvfb", "xprop", "xwininfo"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            GTEST_SKIP() << tool << " is not installed (Debian: xvfb, x11-utils)";
        }
    }
    QProcess xvfb;
    xvfb.setStandardErrorFile(QProcess::nullDevice());
    xvfb.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
    ASSERT_TRUE(xvfb.waitForStarted(10000));
    const std::string display = ":" + ReadLine(xvfb);
    ASSERT_NE(display, ":");

    QTemporaryDir registry;
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", QString::fromStdString(display));
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("ORVANTA_REGISTRY_DIR", registry.path());
    probe.setProcessEnvironment(env);
    probe.setStandardErrorFile(QProcess::nullDevice());
    probe.start(QString::fromUtf8(X11_PROBE), {});
    ASSERT_TRUE(probe.waitForStarted(10000));
    const std::string line = ReadLine(probe);
    // "form 0x... control 0x..."
    const auto at = line.find(" control ");
    ASSERT_TRUE(line.starts_with("form 0x") && at != std::string::npos) << "probe said: " << line;
    const std::string form = line.substr(5, at - 5);
    const std::string control = line.substr(at + 9);
    ASSERT_NE(control, "0x0");

    const QString d = QString::fromStdString(display);
    EXPECT_EQ(Output("xprop", {"-display", d, "-id", QString::fromStdString(control), "ZEVSKIPME"}),
              "ZEVSKIPME(CARDINAL) = 1\n");
    const std::string tree = Output("xwininfo", {"-display", d, "-tree", "-id", QString::fromStdString(control)});
    EXPECT_NE(tree.find("Parent window id: " + form), std::string::npos) << tree;

    probe.write("quit\n");
    if (!probe.waitForFinished(5000)) probe.kill();
    xvfb.terminate();
    xvfb.waitForFinished(5000);
}
