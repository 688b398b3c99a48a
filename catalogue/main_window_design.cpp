#include "main_window_design.h"

namespace catalogue {

const MainWindowDesign& MainWindowDesignFor(Build build) {
    static const MainWindowDesign designC{
        {2715, 1095, 10905, 5610},
        {120, 360, 3735, 3400},
        {4005, 360, 6700, 3520},
        {1560, 3880, 1695, 375},
        "Order It!",
        true,
        "COMPOSER",
        true,
        "&Restore Database",
        MainWindowDesign::TipItem::Tip,
        false,
        true,
        true,
        false,
        false,
    };
    static const MainWindowDesign designB{
        {2010, 2070, 9240, 5595},
        {120, 360, 2870, 3385},
        {3140, 360, 5900, 3505},
        {1560, 3865, 1695, 375},
        "Order It!",
        true,
        "COMPOSITION",
        false,
        "&Restore Database...",
        MainWindowDesign::TipItem::HelpTip,
        true,
        true,
        true,
        true,
        true,
    };
    static const MainWindowDesign designA{
        {660, 2655, 8895, 6735},
        {120, 240, 2900, 4680},
        {3170, 240, 5505, 4680},
        {120, 5040, 2900, 495},
        "press here to order",
        false,
        "COMPOSITION",
        false,
        "&Restore Database...",
        MainWindowDesign::TipItem::None,
        true,
        false,
        false,
        false,
        false,
    };
    switch (build) {
    case Build::A: return designA;
    case Build::B: return designB;
    case Build::C: break;
    }
    return designC;
}

}  // namespace catalogue
