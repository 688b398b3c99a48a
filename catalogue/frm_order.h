#pragma once
// frmOrder ("Make An Order"): the album shown in the main window ordered
// by the logged-in customer, or by a new customer who gives their details
// here. One instance for the whole run; Cancel and Place Order only hide it.
// Each time it is shown it takes the album chosen in the main window, the
// quantity preset by the quick order and the customer of the login in
// force; the order stores what the form shows.
#include <cstdint>
#include <string>

#include "forms.h"
#include "test_control.h"

namespace catalogue {

class frmOrder : public forms::Form {
public:
    frmOrder();

    // Quantity preset by the quick-order dialog; 0 means none. Read and
    // reset by the next show.
    double lQuantity = 0;

    forms::Frame fraInfo{this, "fraInfo", "Your Information", 120, 120, 6735, 1815};
    forms::Label lblInfoName{&fraInfo, "lblInfoName", "Name", 240, 330, 1695, 255};
    forms::TextBox txtName{&fraInfo, "txtName", 2040, 300, 4455, 285};
    forms::Label lblInfoStreet{&fraInfo, "lblInfoStreet", "Street  ", 240, 690, 1695, 255};
    forms::TextBox txtStreet{&fraInfo, "txtStreet", 2040, 660, 4455, 285};
    forms::Label lblInfoCity{&fraInfo, "lblInfoCity", "City, State  Zip  ", 240, 1050, 1695, 255};
    forms::TextBox txtCityStateZip{&fraInfo, "txtCityStateZip", 2040, 1020, 4455, 285};
    forms::Label lblInfoTelephone{&fraInfo, "lblInfoTelephone", "Telephone ", 240, 1410, 1695, 255};
    forms::TextBox txtPhone{&fraInfo, "txtPhone", 2040, 1380, 2295, 285};

    forms::Frame fraPayment{this, "fraPayment", "Payment Information", 120, 2040, 6735, 1455};
    forms::Label lblCardType{&fraPayment, "lblCardType", "Card Type:", 240, 345, 3015, 255};
    forms::ComboBox comboCardType{&fraPayment, "comboCardType", 3360, 300, 2295, 315};
    forms::Label lblPaymentNumber{&fraPayment, "lblPaymentNumber", "Card Number (include the spaces):", 240,
                                  705, 3015, 255};
    forms::TextBox txtCreditCard{&fraPayment, "txtCreditCard", "", 3360, 675, 3135, 285};
    forms::Label lblPaymentExpire{&fraPayment, "lblPaymentExpire", "Expiration Date:", 240, 1065, 3015, 255};
    forms::TextBox txtExpirationDate{&fraPayment, "txtExpirationDate", "", 3360, 1035, 1215, 285};

    forms::Label lblItemLabel{this, "lblItemLabel", "Item:", 240, 3675, 855, 255};
    forms::Label lblAlbumInfo{this, "lblAlbumInfo", "", 1200, 3675, 5655, 255};
    forms::Label lblQuantity{this, "lblQuantity", "Quantity:", 240, 4155, 855, 255};
    forms::TextBox txtQuantity{this, "txtQuantity", "1", 1200, 4125, 855, 285};
    forms::Label lblSubTotalLabel{this, "lblSubTotalLabel", "Sub-Total:", 3960, 4155, 1095, 255};
    forms::Label lblSubTotal{this, "lblSubTotal", "", 5160, 4155, 1695, 255};
    forms::Label lblShippingLabel{this, "lblShippingLabel", "S+H:", 3960, 4455, 1095, 255};
    forms::Label lblShipping{this, "lblShipping", "", 5160, 4455, 1695, 255};
    forms::Label lblTotalLabel{this, "lblTotalLabel", "Total:", 3960, 4755, 1095, 255};
    forms::Label lblTotal{this, "lblTotal", "", 5160, 4755, 1695, 255};

    forms::CommandButton cmdOrder{this, "cmdOrder", "Place Order", 3960, 5280, 1335, 375};
    forms::CommandButton cmdCancel{this, "cmdCancel", "Cancel", 5520, 5280, 1335, 375};
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 240, 5280, 390, 390};

    // `sourcestring` with every `sourcechar` replaced by `targetchar`.
    std::string ReplaceString(const std::string& sourcestring, const std::string& sourcechar,
                              const std::string& targetchar);

    // The quantity of the order as last computed from the quantity box.
    std::int32_t OrderQuantity() const { return lOrderQuantity; }

    void txtQuantity_KeyPress(std::int16_t& KeyAscii);
    void txtQuantity_KeyUp(std::int16_t& KeyCode, std::int16_t Shift);
    void cmdOrder_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyPress(std::int16_t& KeyAscii) override;

private:
    void ShowCurrentChoice(const std::string& procedure);
    void ShowChosenAlbum();
    void ShowCustomer(const std::string& procedure);
    void ShowAmounts(double quantity);
    bool QuantityAccepted();
    bool OrderComplete();
    void StoreOrder();

    std::int32_t lOrderQuantity = 0;
    // The album shown: its product number ("" when the main window shows
    // none) and its price.
    std::string product_;
    double price_ = 0;
    // The load has filled the form for the show under way.
    bool filledByLoad_ = false;
    // The quantity box held a number beyond what an order can take.
    bool quantityTooLarge_ = false;
    // The amounts as last shown.
    float total_ = 0;
};

// The largest quantity an order takes: its shipping, 2 per item, must still
// be a 32-bit number.
inline constexpr std::int32_t kMaxOrderQuantity = 1073741823;

}  // namespace catalogue
