#pragma once
// Internal: the late-bound members that the keyed collections share.
#include <optional>
#include <string>
#include <vector>

#include "member_names.h"

namespace forms::detail {

// Item(IndexOrKey), Remove(IndexOrKey), Clear and Count called on a
// collection by their lower-case names; nothing for any other name (Add
// takes different arguments in each collection).
template <class Collection>
std::optional<vb::Variant> CallCollectionMember(Collection& c, const std::string& lowerName,
                                                const std::vector<vb::Variant>& args) {
    if (lowerName == "item") return ObjectVariant(&c.Item(Arg(args, 0)));
    if (lowerName == "remove") {
        c.Remove(Arg(args, 0));
        return vb::Variant();
    }
    if (lowerName == "clear") {
        c.Clear();
        return vb::Variant();
    }
    if (lowerName == "count" && args.empty()) return vb::Variant(c.Count());
    return std::nullopt;
}

}  // namespace forms::detail
