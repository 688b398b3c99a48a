#pragma once
// Members reached by dispatch identifier instead of by name: code that holds
// a control late-bound may name a member by its number (a data-bound combo
// box's text is 15, its locked state 6). A control that answers to numbers
// maps each to the name of the member it stands for; everything else about
// the access is that of the member by name.
#include <cstdint>
#include <string>

#include "variant.h"

namespace forms {

class DispatchIds {
public:
    virtual ~DispatchIds() = default;
    // The member name that `dispid` stands for; "" when none.
    virtual std::string MemberOfDispatchId(std::int32_t dispid) const = 0;
};

// Reads, writes or calls the member with that number. Error 438 when the
// object has no member of that number (or answers to no numbers at all).
vb::Variant GetMemberById(vb::Object& object, std::int32_t dispid);
void SetMemberById(vb::Object& object, std::int32_t dispid, const vb::Variant& value);

}  // namespace forms
