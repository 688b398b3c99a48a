#include "frm_order.h"

#include <cmath>
#include <limits>
#include <utility>

#include "application.h"
#include "cls_manage_login.h"
#include "dao.h"
#include "datetime.h"
#include "err.h"
#include "error_report.h"
#include "field_text.h"
#include "form_fonts.h"
#include "format_value.h"
#include "frm_confirm.h"
#include "frm_main.h"
#include "mod_main.h"
#include "number_functions.h"
#include "order_statements.h"
#include "program_build.h"
#include "sql_text.h"
#include "text_functions.h"
#include "transaction_rollback.h"

namespace catalogue {

namespace {

// The price the main window shows; 0 when it shows none.
double ShownPrice() {
    const std::string price = forms::Default<frmMain>().lblPrice.Caption();
    return vb::IsNumeric(vb::Variant(price)) ? vb::CDbl(vb::Variant(price)) : 0.0;
}

// The product of the composition selected in the tree. When a composer is
// selected, the album still shown is the one ordered. "" when the main
// window shows no album.
std::string ShownProduct() {
    frmMain& mainWindow = forms::Default<frmMain>();
    if (forms::Node* node = mainWindow.treMain.SelectedItem()) {
        const std::string product = vb::Mid(node->Key(), 2);
        if (IsSqlWholeNumber(product)) return product;
    }
    std::string product;
    vb::ResumeNext([&] {
        auto shown = mainWindow.dataMain.Recordset();
        if (shown && !shown->Bof() && !shown->Eof()) {
            const vb::Variant value = shown->Fields("PRODID").Value();
            if (!value.IsNull()) product = vb::Str(value);
        }
    });
    return product;
}

}  // namespace

frmOrder::frmOrder() : Form("frmOrder") {
    Caption("Make An Order");
    BorderStyle(3);
    StartUpPosition(2);
    KeyPreview(true);
    ClientSize(6975, 5775);

    comboCardType.Style(2);
    for (const char* card : {"Visa", "MasterCard", "American Express", "Discover"}) comboCardType.AddItem(card);
    for (forms::Label* label : {&lblInfoName, &lblInfoStreet, &lblInfoCity, &lblInfoTelephone, &lblCardType,
                                &lblPaymentNumber, &lblPaymentExpire}) {
        label->BackStyle(0);
    }
    lblAlbumInfo.Font().Bold(true);
    for (forms::Label* amount : {&lblSubTotal, &lblShipping, &lblTotal}) amount->Alignment(1);
    lblTotal.Font().Bold(true);
    lblTotalLabel.Font().Bold(true);
    cmdCancel.Cancel(true);

    txtQuantity.KeyPress = [this](std::int16_t& KeyAscii) { txtQuantity_KeyPress(KeyAscii); };
    txtQuantity.KeyUp = [this](std::int16_t& KeyCode, std::int16_t Shift) { txtQuantity_KeyUp(KeyCode, Shift); };
    cmdOrder.Click = [this] { cmdOrder_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmOrder::Form_Load() {
    comboCardType.ListIndex(0);
    txtCreditCard.Text("");
    txtExpirationDate.Text("");
    txtQuantity.Text("1");
    ShowCurrentChoice("frmOrder.Form_Load");
    filledByLoad_ = true;
    vb::ResumeNext([&] { orvanta::SetFontsForLocale(*this); });
}

// Every later show (the form is only hidden between orders) takes the
// choices made meanwhile: the quick order's quantity, the album chosen in
// the main window and the login in force. The card details and a quantity
// typed before stay as they were left.
void frmOrder::Form_Activate() {
    if (std::exchange(filledByLoad_, false)) return;  // the load has just filled it
    ShowCurrentChoice("frmOrder.Form_Activate");
}

void frmOrder::ShowCurrentChoice(const std::string& procedure) {
    if (lQuantity != 0) {
        txtQuantity.Text(vb::Trim(vb::Str(vb::Variant(lQuantity))));
        lQuantity = 0;
    }
    ShowChosenAlbum();
    std::int16_t keyCode = 0;
    txtQuantity_KeyUp(keyCode, 0);
    ShowCustomer(procedure);
}

void frmOrder::ShowChosenAlbum() {
    frmMain& mainWindow = forms::Default<frmMain>();
    lblAlbumInfo.Caption(mainWindow.lblComposer.Caption() + " - " + mainWindow.lblComposition.Caption());
    price_ = ShownPrice();
    product_ = ShownProduct();
}

// The logged-in customer's details, locked; empty and open for a new customer.
void frmOrder::ShowCustomer(const std::string& procedure) {
    forms::TextBox* const boxes[] = {&txtName, &txtStreet, &txtCityStateZip, &txtPhone};
    const std::int32_t customer = modMain::Login().LatestLogin();
    if (customer == kNewCustomer) {
        for (forms::TextBox* box : boxes) {
            box->Text("");
            box->Locked(false);
        }
        return;
    }

    // A customer without a row, a Null field or a failing read leave boxes empty.
    std::string values[4];
    vb::OnErrorGoTo(
        [&] {
            auto rs = modMain::Database().OpenRecordset(
                "SELECT * FROM CUSTOMERS WHERE CUSTID=" +
                    vb::UCase(vb::Trim(vb::Str(vb::Variant(static_cast<int>(customer))))),
                dao::dbOpenSnapshot);
            if (!rs->Eof()) {
                const char* const fields[] = {"NAME", "STREET", "CITYSTATEZIP", "PHONE"};
                for (int i = 0; i < 4; ++i) values[i] = FieldText(*rs, fields[i]);
            }
            rs->Close();
        },
        [&] { orvanta::ReportUnexpectedError(procedure); });
    for (int i = 0; i < 4; ++i) {
        boxes[i]->Text(values[i]);
        boxes[i]->Locked(true);
    }
}

void frmOrder::Form_KeyPress(std::int16_t& KeyAscii) {
    if (KeyAscii == 13) {
        cmdOrder_Click();
        KeyAscii = 0;
    }
}

void frmOrder::txtQuantity_KeyPress(std::int16_t& KeyAscii) {
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    if (!digit && KeyAscii != 8) KeyAscii = 0;
}

void frmOrder::txtQuantity_KeyUp(std::int16_t& KeyCode, std::int16_t Shift) {
    (void)KeyCode;
    (void)Shift;
    double quantity = 0;
    try {
        quantity = vb::RoundHalfEven(vb::Val(txtQuantity.Text()));
    } catch (const vb::VBError&) {
        quantity = std::numeric_limits<double>::infinity();  // beyond any number
    }
    quantityTooLarge_ = quantity > kMaxOrderQuantity;
    if (quantity > std::numeric_limits<std::int32_t>::max()) {
        lOrderQuantity = 0;
    } else if (quantity < std::numeric_limits<std::int32_t>::min()) {
        lOrderQuantity = std::numeric_limits<std::int32_t>::min();
    } else {
        lOrderQuantity = static_cast<std::int32_t>(quantity);
    }
    ShowAmounts(std::isfinite(quantity) ? quantity : 0);
}

// Sub-total, shipping (2 per item) and total of `quantity` albums at the
// price of the album shown.
void frmOrder::ShowAmounts(double quantity) {
    const float subTotal = static_cast<float>(price_ * quantity);
    const float shipping = static_cast<float>(quantity * 2);
    total_ = subTotal + shipping;
    lblSubTotal.Caption(vb::Format(vb::Variant(subTotal), "$ #,##0.00"));
    lblShipping.Caption(vb::Format(vb::Variant(shipping), "$ #,##0.00"));
    lblTotal.Caption(vb::Format(vb::Variant(total_), "$ #,##0.00"));
}

void frmOrder::cmdOrder_Click() {
    if (!QuantityAccepted()) return;
    if (!OrderComplete()) {
        forms::MsgBox("You must complete the order form before you can make your purchase.", forms::vbOKOnly,
                      "Incomplete Order");
        return;
    }
    StoreOrder();
}

// Builds A and B read the quantity box afresh; build C takes the quantity
// of the last key stroke.
bool frmOrder::QuantityAccepted() {
    const std::string build = ProgramFileDescription();
    if (build == "OrvantaB" || build == "OrvantaA") {
        const std::string text = txtQuantity.Text();
        try {
            lOrderQuantity = vb::CLng(vb::Variant(text));
            quantityTooLarge_ = lOrderQuantity > kMaxOrderQuantity;
            // The amounts shown are those of the quantity ordered.
            if (lOrderQuantity >= 1 && !quantityTooLarge_) ShowAmounts(lOrderQuantity);
        } catch (const vb::VBError& e) {
            // No number at all counts as none; a number beyond 32 bits as too large.
            lOrderQuantity = 0;
            quantityTooLarge_ = e.number() == vb::errors::Overflow && vb::Val(text) > 0;
        }
    }
    if (quantityTooLarge_) {
        forms::MsgBox("Order quantity is too large.", forms::vbOKOnly, "Invalid Quantity Ordered");
        return false;
    }
    if (lOrderQuantity < 1) {
        forms::MsgBox("Order quantity must be greater than 0.", forms::vbOKOnly, "Invalid Quantity Ordered");
        return false;
    }
    return true;
}

bool frmOrder::OrderComplete() {
    for (forms::TextBox* box :
         {&txtName, &txtStreet, &txtCityStateZip, &txtPhone, &txtCreditCard, &txtExpirationDate}) {
        if (box->Text().empty()) return false;
    }
    return true;
}

// Stores the new customer (when there is one) and the order in one
// transaction, then confirms it. When either fails, the error is reported
// and nothing is stored.
void frmOrder::StoreOrder() {
    bool stored = false;
    bool customerAdded = false;
    dao::Database* pending = nullptr;  // the database while its transaction is open
    vb::OnErrorGoTo(
        [&] {
            if (product_.empty()) vb::RaiseError(13);
            dao::Database& db = modMain::Database();
            clsManageLogin& login = modMain::Login();
            db.BeginTrans();
            pending = &db;
            if (login.LatestLogin() == kNewCustomer) {
                NewCustomer customer{NextKey(db, "SELECT MAX(CUSTID) FROM CUSTOMERS"), txtName.Text(),
                                     txtStreet.Text(), txtCityStateZip.Text(), txtPhone.Text()};
                db.Execute(CustomerInsert(customer));
                customerAdded = true;
                login.LatestLogin(customer.key);
            }

            NewOrder order;
            order.key = NextKey(db, "SELECT MAX(ORDERID) FROM ORDERS");
            order.customer = login.LatestLogin();
            order.orderDate = vb::Format(vb::Variant(vb::Today()), "MM/DD/YY");
            order.cardType = comboCardType.Text();
            order.cardNumber = txtCreditCard.Text();
            order.expirationDate = txtExpirationDate.Text();
            order.product = product_;
            order.quantity = lOrderQuantity;
            order.total = total_;
            db.Execute(OrderInsert(order));
            db.CommitTrans();
            pending = nullptr;
            stored = true;
        },
        [&] {
            if (pending) RollBackKeepingError(*pending);
            if (customerAdded) modMain::Login().LatestLogin(kNewCustomer);
            orvanta::ReportUnexpectedError("frmOrder.cmdOrder_Click");
        });
    if (!stored) return;

    frmMain& mainWindow = forms::Default<frmMain>();
    mainWindow.statusMain.SimpleText("Your order has been received!");
    auto confirmation = forms::New<frmConfirm>();
    confirmation->lblConfirmation.Caption("Your order for '" + lblAlbumInfo.Caption() + "' has been received!");
    Hide();
    confirmation->Show(forms::vbModal);
}

void frmOrder::cmdCancel_Click() { Hide(); }

std::string frmOrder::ReplaceString(const std::string& sourcestring, const std::string& sourcechar,
                                    const std::string& targetchar) {
    if (sourcechar.empty()) return sourcestring;
    return vb::Replace(sourcestring, sourcechar, targetchar);
}

}  // namespace catalogue
