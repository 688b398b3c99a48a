#include "cls_credit_check.h"

#include "text_functions.h"

namespace catalogue {

bool clsCreditCheck::ValidateCreditCard() const {
    return !cardNumber_.empty() && !cardType_.IsNull() && !expirationDate_.IsNull();
}

vb::Variant clsCreditCheck::GetMember(const std::string& name) {
    const std::string member = vb::LCase(name);
    if (member == "expirationdate") return expirationDate_;
    if (member == "cardtype") return cardType_;
    if (member == "cardnumber") return vb::Variant(cardNumber_);
    return Object::GetMember(name);
}

void clsCreditCheck::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string member = vb::LCase(name);
    if (member == "expirationdate") {
        expirationDate_ = value;
    } else if (member == "cardtype") {
        cardType_ = value;
    } else if (member == "cardnumber") {
        cardNumber_ = value.ToString();
    } else {
        Object::SetMember(name, value);
    }
}

vb::Variant clsCreditCheck::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    if (vb::LCase(name) == "validatecreditcard" && args.empty()) return vb::Variant(ValidateCreditCard());
    return Object::CallMember(name, args);
}

}  // namespace catalogue
