// Instance numbers of the data objects and the re-raise of their errors.
#include <limits>

#include "err.h"
#include "module_inventory.h"

namespace inventory::Inventory {

std::int32_t NextInstanceId() {
    static std::int32_t lastInstanceId = 0;
    if (lastInstanceId == std::numeric_limits<std::int32_t>::max()) vb::RaiseError(6);
    return ++lastInstanceId;
}

void RaiseClassError(std::int32_t number, const std::string& source) {
    // The description is not set again: the one of the error being handled
    // stays in force.
    const vb::ErrObject& err = vb::Err();
    std::string description = err.Description;
    if (description.empty()) description = vb::StandardErrorDescription(number);
    throw vb::VBError(number, description, source);
}

}  // namespace inventory::Inventory
