#pragma once
// The design of the main window in each build: where it stands, how its
// controls are laid out, and what only some builds have.
#include <string>

#include "program_build.h"
#include "twips.h"

namespace catalogue {

struct DesignRect {
    forms::Twips left, top, width, height;
};

struct MainWindowDesign {
    DesignRect window;          // outer position and size
    DesignRect tree;            // treMain
    DesignRect tabs;            // tabMain
    DesignRect orderButton;     // cmdOrder
    std::string orderCaption;   // cmdOrder's caption
    bool stepLabels;            // lblChooseAlbum, lblSeeInfo and lblOrder
    std::string composition2Field;  // what lblComposition2 shows
    // Menus.
    bool specialOrderItems;     // the Order menu's div and mnuPlaceSpecialOrder
    std::string restoreCaption;  // mnuRestore
    enum class TipItem { Tip, HelpTip, None } tipItem;
    // The window closes the program for every unload reason, not only when
    // the user closes it.
    bool closeOnEveryUnload;
    // Commands.
    // On resizing, the tree, the tab strip and the order button follow the
    // window; otherwise only the two frames are put back in the tab strip.
    bool fullResizeLayout;
    // A double click on the album picture opens the quick-order dialog.
    bool quickOrder;
    // The order button needs a login and first shows the first composition
    // of the first composer.
    bool orderFirstAlbum;
    // Viewing the existing orders is followed by the network error message.
    bool ordersNetworkError;
};

const MainWindowDesign& MainWindowDesignFor(Build build);

// The frames of the two tabs sit this far inside the tab strip.
inline constexpr forms::Twips kFrameOffsetTop = 449;
inline constexpr forms::Twips kFrameOffsetLeft = 214;

}  // namespace catalogue
