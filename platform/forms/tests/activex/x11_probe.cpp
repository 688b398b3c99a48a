// Shows a form hosting the hosting tests' control on the X11 display of the
// environment (registered into $ORVANTA_REGISTRY_DIR first) and prints the
// native windows: "form 0x... control 0x...". Ends on any input.
#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#include "activex_host.h"
#include "com.h"
#include "forms.h"

namespace {
class frmProbe : public forms::Form {
public:
    frmProbe() : Form("frmProbe") {}
    forms::ActiveXHost Ctl1{this, "OrvantaTestCtl.TestCtl", "Ctl1", 120, 240, 480, 480};
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    com::HMODULE control = com::LoadLibrary(TEST_CONTROL);
    auto reg = control ? reinterpret_cast<com::DllRegisterServerFn>(com::GetProcAddress(control, "DllRegisterServer"))
                       : nullptr;
    if (!reg || com::FAILED(reg())) {
        std::printf("cannot register %s\n", TEST_CONTROL);
        std::fflush(stdout);
        return 1;
    }
    frmProbe& f = forms::Default<frmProbe>();
    f.Show();
    QTimer::singleShot(0, [&f] {
        QWidget* w = f.Ctl1.Instance()->Widget();
        std::printf("form 0x%llx control 0x%llx\n", static_cast<unsigned long long>(f.Window()->winId()),
                    static_cast<unsigned long long>(w ? w->internalWinId() : 0));
        std::fflush(stdout);
    });
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] { forms::Unload(f), app.quit(); });
    return app.exec();
}
