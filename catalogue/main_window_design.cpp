#include "main_window_design.h"

namespace catalogue {

const MainWindowDesign& MainWindowDesignFor(Build build) {
    static const MainWindowDesign designC{
        .window = {2715, 1095, 10905, 5610},
        .tree = {120, 360, 3735, 3400},
        .tabs = {4005, 360, 6700, 3520},
        .orderButton = {1560, 3880, 1695, 375},
        .orderCaption = "Order It!",
        .stepLabels = true,
        .composition2Field = "COMPOSER",
        .specialOrderItems = true,
        .restoreCaption = "&Restore Database",
        .tipItem = MainWindowDesign::TipItem::Tip,
        .closeOnEveryUnload = false,
        .fullResizeLayout = true,
        .quickOrder = true,
        .orderFirstAlbum = false,
        .ordersNetworkError = false,
    };
    static const MainWindowDesign designB{
        .window = {2010, 2070, 9240, 5595},
        .tree = {120, 360, 2870, 3385},
        .tabs = {3140, 360, 5900, 3505},
        .orderButton = {1560, 3865, 1695, 375},
        .orderCaption = "Order It!",
        .stepLabels = true,
        .composition2Field = "COMPOSITION",
        .specialOrderItems = false,
        .restoreCaption = "&Restore Database...",
        .tipItem = MainWindowDesign::TipItem::HelpTip,
        .closeOnEveryUnload = true,
        .fullResizeLayout = true,
        .quickOrder = true,
        .orderFirstAlbum = true,
        .ordersNetworkError = true,
    };
    static const MainWindowDesign designA{
        .window = {660, 2655, 8895, 6735},
        .tree = {120, 240, 2900, 4680},
        .tabs = {3170, 240, 5505, 4680},
        .orderButton = {120, 5040, 2900, 495},
        .orderCaption = "press here to order",
        .stepLabels = false,
        .composition2Field = "COMPOSITION",
        .specialOrderItems = false,
        .restoreCaption = "&Restore Database...",
        .tipItem = MainWindowDesign::TipItem::None,
        .closeOnEveryUnload = true,
        .fullResizeLayout = false,
        .quickOrder = false,
        .orderFirstAlbum = false,
        .ordersNetworkError = false,
    };
    switch (build) {
    case Build::A: return designA;
    case Build::B: return designB;
    case Build::C: break;
    }
    return designC;
}

}  // namespace catalogue
