#include "c_param.h"

#include "module_inventory.h"

namespace inventory {

CParam::CParam() : instanceId_(Inventory::NextInstanceId()) {}

CParamRef CParams::Item(const vb::Variant& vntIndexKey) const {
    return std::static_pointer_cast<CParam>(col_->Item(vntIndexKey).ToObject());
}

std::vector<CParamRef> CParams::NewEnum() const {
    std::vector<CParamRef> items;
    items.reserve(static_cast<std::size_t>(col_->Count()));
    for (const vb::Variant& item : *col_) items.push_back(std::static_pointer_cast<CParam>(item.ToObject()));
    return items;
}

CParamRef CParams::Add(const std::string& sName, std::int16_t iPosition, bool bDelimiter,
                       const vb::Variant& vntValue, std::int16_t iType, bool bRequired, const std::string& sKey) {
    auto objNewMember = std::make_shared<CParam>();
    objNewMember->sName = sName;
    objNewMember->iPosition = iPosition;
    objNewMember->bDelimiter = bDelimiter;
    objNewMember->vntValue = vntValue.ToString();
    objNewMember->sKey = sKey;
    objNewMember->iType = iType;
    objNewMember->bRequired = bRequired;
    const vb::Variant item(std::static_pointer_cast<vb::Object>(objNewMember));
    if (!sKey.empty()) {
        col_->Add(item, vb::Variant(sKey));
    } else {
        col_->Add(item);
    }
    return objNewMember;
}

void CParams::Remove(const vb::Variant& vntIndexKey) { col_->Remove(vntIndexKey); }

}  // namespace inventory
