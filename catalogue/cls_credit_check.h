#pragma once
// clsCreditCheck: the card details of an order and the check that they are
// all there.
#include <string>

#include "variant.h"

namespace catalogue {

class clsCreditCheck : public vb::Object {
public:
    std::string TypeName() const override { return "clsCreditCheck"; }

    // True when a card number is given and neither the card type nor the
    // expiry date is Null.
    bool ValidateCreditCard() const;

    // The expiry date and the card type: any value, or an object reference.
    vb::Variant ExpirationDate() const { return expirationDate_; }
    void ExpirationDate(const vb::Variant& value) { expirationDate_ = value; }
    vb::Variant CardType() const { return cardType_; }
    void CardType(const vb::Variant& value) { cardType_ = value; }
    std::string CardNumber() const { return cardNumber_; }
    void CardNumber(const std::string& value) { cardNumber_ = value; }

    // The three properties by name, as late-bound code reaches them.
    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

private:
    vb::Variant expirationDate_;
    vb::Variant cardType_;
    std::string cardNumber_;
};

}  // namespace catalogue
