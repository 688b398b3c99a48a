// A small program to look at the rich-text box, the tabbed dialog and the
// chart as a user would (scripts/screenshot.sh showcase_controls_demo);
// "showcase_controls_demo 1" opens on the second tab.
#include <cstdlib>

#include "forms.h"
#include "mschart.h"
#include "richtextbox.h"
#include "sstab.h"

namespace {

class frmShowcase : public forms::Form {
public:
    frmShowcase() : Form("frmShowcase") {
        Caption("Controls");
        ClientSize(9555, 7065);
        Move(300, 300);
        tabMain.Font().Name("Arial Narrow");
        tabMain.Place(lblChart, 1);
        tabMain.Place(chartSales, 1);
        rtfIntro.Font().Name("Arial");
        rtfIntro.Font().Size(12);
        rtfIntro.TextRTF("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 Use this applet with the {\\b Tavorin Quentor: Hanzel!} "
                         "card.\\par Caf\\'e9 \\u8364? 5\\tab {\\i italic} {\\ul underlined}\\par}");
        chartSales.SeriesInRows(true);
        chartSales.ShowLegend(true);
        chartSales.RowCount(4);
        chartSales.ColumnCount(4);
        const char* months[] = {"January", "February", "March", "April"};
        const char* divisions[] = {"Widget Division", "Gizmo Division", "Thing Division", "Service Division"};
        for (std::int16_t r = 1; r <= 4; ++r) {
            chartSales.RowLabel(r, months[r - 1]);
            chartSales.ColumnLabel(r, divisions[r - 1]);
            for (std::int16_t c = 1; c <= 4; ++c) chartSales.SetData(r, c, 3 + (r * 7 + c * 5) % 11);
        }
    }
    forms::SSTab tabMain{this, "tabMain", {"Win32 and Common Controls", "Data Grid and ActiveX"}, 120, 120, 9315, 6375};
    forms::Label lblIntro{&tabMain, "lblIntro", "Rich Text Box control", 240, 600, 3000, 255};
    forms::RichTextBox rtfIntro{&tabMain, "rtfIntro", 240, 960, 5000, 1800};
    forms::Shape shpBox{&tabMain, "shpBox", 5600, 960, 3000, 1800};
    forms::Line Line1{&tabMain, "Line1", 240, 3000, 8700, 3000};
    forms::Label lblChart{&tabMain, "lblChart", "Microsoft Chart Control", 240, 600, 3000, 255};
    forms::MSChart chartSales{&tabMain, "chartSales", 240, 960, 8700, 5200};
};

}  // namespace

int main(int argc, char** argv) {
    forms::Application app(argc, argv);
    const std::int16_t tab = argc > 1 ? static_cast<std::int16_t>(std::atoi(argv[1])) : 0;
    return app.Run([tab] {
        frmShowcase& f = forms::Default<frmShowcase>();
        f.Show();
        f.tabMain.Tab(tab);
    });
}
