// Start-up of the catalogue (build C) over a generated catalogue, measured
// as a user meets it: from the program's start (the forms runtime made, then
// modMain's Main) to the login dialog on the screen, and the peak memory of
// the process when the login dialog and the main window show.
//
//     catalogue_startup_bench [PRODUCTS [COMPOSERS]]     (100000 and 1000)
//
// The splash stays up at least until the next whole second after the start,
// so a fast start waits; the figures give that wait separately and the start
// without it. The login is answered as the first ordinary customer.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "app_object.h"
#include "application.h"
#include "datetime.h"
#include "frm_existing_login.h"
#include "frm_main.h"
#include "generated_catalogue.h"
#include "mod_main.h"
#include "program_build.h"
#include "registered_control.h"
#include "sqlite_limit.h"
#include "statement_capture.h"
#include "process_memory.h"
#include "program_hooks.h"
#include "unload_all_forms.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// The splash waits by reading the runtime's timer over and over (10 ms
// apart), and the timer converts the clock to local time each
// time. Standing in for the C library's conversion, the bench sees when a
// run of such readings began.
Clock::time_point lastClockRead{}, clockReadsBegan{};

}  // namespace

extern "C" struct tm* localtime_r(const time_t* clock, struct tm* local) {
    using Conversion = struct tm* (*)(const time_t*, struct tm*);
    static const auto library = reinterpret_cast<Conversion>(dlsym(RTLD_NEXT, "localtime_r"));
    if (gettid() == getpid()) {
        const Clock::time_point now = Clock::now();
        if (now - lastClockRead > std::chrono::milliseconds(25)) clockReadsBegan = now;
        lastClockRead = now;
    }
    return library(clock, local);
}

namespace {

// Watches the windows of the start: when the splash goes and when the login
// dialog shows (then answers it).
class StartWatch : public QObject {
public:
    Clock::time_point splashHidden{}, loginShown{};
    double splashWait = 0.0;
    long peakAtLoginKb = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        const Clock::time_point now = Clock::now();
        auto* widget = qobject_cast<QWidget*>(object);
        const bool window = widget && widget->isWindow();
        if (window && event->type() == QEvent::Hide && object->objectName() == "frmSplash" &&
            splashHidden == Clock::time_point{}) {
            splashHidden = now;
            // The wait: the timer readings that end right before the splash goes.
            if (now - lastClockRead < std::chrono::milliseconds(25)) splashWait = Seconds(clockReadsBegan, now);
        }
        if (window && event->type() == QEvent::Show && object->objectName() == "frmExistingLogin" &&
            loginShown == Clock::time_point{}) {
            loginShown = now;
            peakAtLoginKb = catalogue::bench::PeakResidentKb();
            QTimer::singleShot(0, [] {
                auto& login = forms::Default<catalogue::frmExistingLogin>();
                for (int i = 0; i < login.lstUserName.ListCount(); ++i) {
                    const std::string name = login.lstUserName.List(i);
                    if (name != "New Customer" && name != "Database Admin" && name != "Admin") {
                        login.lstUserName.ListIndex(i);
                        break;
                    }
                }
                login.cmdOK_Click();
            });
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int products = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int composers = argc > 2 ? std::atoi(argv[2]) : 1000;
    if (products < 1 || composers < 1 || composers > products) {
        std::fprintf(stderr, "usage: catalogue_startup_bench [PRODUCTS [COMPOSERS]]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::filesystem::path root = catalogue::bench::MakeTempFolder("catalogue-bench");
    setenv("ORVANTA_REGISTRY_DIR", (root / "registry").c_str(), 1);
    if (!bench::RegisterTestControl()) return 1;

    // The catalogue is made in a child process, so that its memory is not
    // counted in this one's peak.
    std::filesystem::path program = root / "bin";
    if (pid_t child = fork(); child == 0) {
        try {
            catalogue::bench::MakeGeneratedCatalogue(root, products, composers);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            _exit(1);
        }
        _exit(0);
    } else {
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
    }

    const Clock::time_point start = Clock::now();
    const char* args[] = {"OrvantaC"};
    vb::SetCommandLine(1, args);
    catalogue::SetProgramBuild(catalogue::Build::C);
    vb::App().SetPathForTesting(program.string());
    forms::Application app(argc, argv);
    StartWatch watch;
    qApp->installEventFilter(&watch);

    double timerAtMain = 0.0;
    Clock::time_point mainShown{};
    long peakAtMainKb = 0;
    app.Run([&] {
        timerAtMain = vb::Timer();
        catalogue::modMain::Main();
        mainShown = Clock::now();
        peakAtMainKb = catalogue::bench::PeakResidentKb();
        orvanta::UnloadAllForms();
    });
    qApp->removeEventFilter(&watch);

    // The work of the start alone, once more: open the database and load
    // the main window (which fills the tree). Its limit: the statements it
    // sent, run again through SQLite's C API.
    catalogue::modMain::gdbMain.reset();
    const std::string databaseFile = (program / "data" / catalogue::modMain::kDatabaseFile).string();
    const long residentBeforeLoadKb = ::bench::ResidentKb();
    ::bench::StartCapture();
    const Clock::time_point loadStart = Clock::now();
    catalogue::modMain::gdbMain = dao::OpenDatabase(databaseFile, vb::Variant(), false, "");
    forms::Load(forms::Default<catalogue::frmMain>());
    const double load = Seconds(loadStart, Clock::now());
    const std::vector<std::string> statements = ::bench::StopCapture();
    const long residentAfterLoadKb = ::bench::ResidentKb();
    const ::bench::LimitRun limit = ::bench::MeasureSqliteLimit(databaseFile, statements);
    const int nodes = forms::Default<catalogue::frmMain>().treMain.Nodes().Count();
    orvanta::UnloadAllForms();
    catalogue::modMain::gdbMain.reset();

    const double toLogin = Seconds(start, watch.loginShown);
    const double earliestSplashEnd = std::nearbyint(timerAtMain) + 1.0 - timerAtMain;
    std::printf("catalogue start-up, build C: %d products over %d composers (%d tree nodes)\n", products,
                composers, nodes);
    std::printf("  start to login dialog            %8.3f s\n", toLogin);
    std::printf("  of which the splash wait          %8.3f s  (the splash could go %.3f s after Main began)\n",
                watch.splashWait, earliestSplashEnd);
    std::printf("  start to login minus splash wait %8.3f s\n", toLogin - watch.splashWait);
    std::printf("  start to main window shown       %8.3f s\n", Seconds(start, mainShown));
    std::printf("  open database and load main window again %8.3f s\n", load);
    std::printf("  its limit: %zu statements, %lld rows   %8.3f s  (ratio %.2f)\n", statements.size(), limit.rows,
                limit.seconds, limit.seconds > 0 ? load / limit.seconds : 0.0);
    std::printf("  resident growth of the second load   %8.1f MB\n",
                (residentAfterLoadKb - residentBeforeLoadKb) / 1024.0);
    std::printf("  peak memory at login dialog      %8.1f MB\n", watch.peakAtLoginKb / 1024.0);
    std::printf("  peak memory at main window       %8.1f MB\n", peakAtMainKb / 1024.0);

    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
