// The faces the library's objects name and the faces drawn for them. The
// windows and DataWindows were laid out for the classic desktop faces; where
// those are not installed, faces with the same character widths stand in.
#include <QApplication>
#include <QFont>

#include "vm_state.h"

namespace pbvm {

namespace {

struct StandIn {
    const char* face;
    const char* drawnAs;
};

// Liberation Sans, Serif and Mono have the character widths of Arial, Times
// New Roman and Courier New; the desktop's sans faces are closest to Arial's
// widths at the sizes they are used at.
constexpr StandIn kStandIns[] = {
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"System", "Liberation Sans"},
    {"Tahoma", "Liberation Sans"},
    {"Arial Narrow", "Liberation Sans Narrow"},
    {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"MS Serif", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
};

// What draws without a face of its own (menus, the toolbar, message boxes):
// the desktop's face at 8 points.
constexpr const char* kDefaultFace = "MS Sans Serif";
constexpr int kDefaultPoints = 8;

}  // namespace

void InstallFontFaces() {
    static bool installed = false;
    if (installed || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    installed = true;
    for (const StandIn& s : kStandIns) QFont::insertSubstitution(QLatin1String(s.face), QLatin1String(s.drawnAs));
    QApplication::setFont(QFont(QLatin1String(kDefaultFace), kDefaultPoints));
}

}  // namespace pbvm
