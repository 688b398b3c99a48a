#pragma once
// What a DataWindow control or data store holds: its DataWindow object, the
// rows of its last Retrieve and the rows of its drop-down DataWindows.
#include <map>
#include <optional>
#include <string>

#include "dw_definition.h"

namespace pbvm {

// The rows of a drop-down DataWindow and the column its list shows.
struct DwDropDown {
    DwRows rows;
    int display = -1;
};

struct DwState {
    std::optional<DwDefinition> definition;
    DwRows rows;
    // The drop-down DataWindows, by shown column.
    std::map<std::string, DwDropDown> dropDowns;
    // Why the DataWindow object could not be loaded, or the error of the
    // last Retrieve; empty after a good one.
    std::string error;
};

}  // namespace pbvm
