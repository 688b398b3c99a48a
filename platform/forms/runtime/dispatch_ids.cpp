#include "dispatch_ids.h"

#include "err.h"

namespace forms {

namespace {
std::string MemberName(vb::Object& object, std::int32_t dispid) {
    auto* ids = dynamic_cast<DispatchIds*>(&object);
    std::string name = ids ? ids->MemberOfDispatchId(dispid) : std::string();
    if (name.empty()) vb::RaiseError(438);
    return name;
}
}  // namespace

vb::Variant GetMemberById(vb::Object& object, std::int32_t dispid) {
    return object.GetMember(MemberName(object, dispid));
}

void SetMemberById(vb::Object& object, std::int32_t dispid, const vb::Variant& value) {
    object.SetMember(MemberName(object, dispid), value);
}

}  // namespace forms
