#include "font_faces.h"

#include <QApplication>
#include <QFont>

#include "font.h"

namespace forms::detail {

namespace {

struct StandIn {
    const char* face;
    const char* drawnAs;
};

// Liberation Sans, Serif and Mono have the character widths of Arial, Times
// New Roman and Courier New. The sans faces of the desktop ("MS Sans Serif",
// the forms' default, at 8 points; the dialog and system faces) are closest
// to Arial's widths at the sizes the forms use them.
constexpr StandIn kStandIns[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"MS Shell Dlg", "Liberation Sans"},
    {"MS Shell Dlg 2", "Liberation Sans"},
    {"System", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"Tahoma", "Liberation Sans"},
    {"Arial Narrow", "Liberation Sans Narrow"},
    {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"MS Serif", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
};

}  // namespace

void InstallFontFaces() {
    static bool installed = false;
    if (installed || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    installed = true;
    for (const StandIn& s : kStandIns) QFont::insertSubstitution(QLatin1String(s.face), QLatin1String(s.drawnAs));
    QFont font{QString::fromLatin1(kDefaultFontFace)};
    font.setPointSizeF(kDefaultFontSize);
    QApplication::setFont(font);
}

}  // namespace forms::detail
