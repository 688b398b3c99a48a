// Ordering an album: the order form, the new-customer path, the quick order
// and the confirmation, driven through the real forms.
#include <gtest/gtest.h>

#include "application.h"
#include "catalogue_session.h"
#include "cls_credit_check.h"
#include "cls_manage_login.h"
#include "datetime.h"
#include "format_value.h"
#include "frm_confirm.h"
#include "frm_main.h"
#include "frm_order.h"
#include "frm_order_album.h"
#include "mod_main.h"

namespace catalogue::testing {
namespace {

class Ordering : public CatalogueSession {
protected:
    // Opens the order form from the order button and runs `inside` in it.
    void WithOrderForm(const std::function<void(frmOrder&)>& inside) {
        driver().OnModal([inside](forms::Form& form) { inside(dynamic_cast<frmOrder&>(form)); });
        ASSERT_TRUE(driver().Click(Main().cmdOrder));
    }
    // Types a quantity into the emptied box.
    void TypeQuantity(frmOrder& order, const std::string& quantity) {
        order.txtQuantity.Text("");
        driver().Type(order.txtQuantity, quantity.empty() ? std::string("\b") : quantity);
    }
    void FillCard(frmOrder& order) {
        driver().Type(order.txtCreditCard, "4111 1111 1111 1111");
        driver().Type(order.txtExpirationDate, "09/29");
    }
    // Places the order; the confirmation's text is kept and it is closed with OK.
    void PlaceOrder(frmOrder& order) {
        driver().OnModal([this](forms::Form& form) {
            auto& confirmation = dynamic_cast<frmConfirm&>(form);
            confirmationText_ = confirmation.lblConfirmation.Caption();
            driver().Click(confirmation.cmdOK);
        });
        driver().Click(order.cmdOrder);
    }
    std::string OrderRow(int key) {
        return Value("SELECT CUSTID, CARDTYPE, CARDNUMB, EXPDATE, PRODID, QUANTITY, TOTAL, STATUS FROM ORDERS "
                     "WHERE ORDERID = " +
                     std::to_string(key));
    }
    std::string confirmationText_;
};

// Three albums at 15.99 in every build: the amounts, one new order row under
// the next key, the status text and the confirmation.
class OrderInEveryBuild : public Ordering, public ::testing::WithParamInterface<Build> {};

TEST_P(OrderInEveryBuild, ThreeAlbumsEndToEnd) {
    const Build build = GetParam();
    Open(build);
    LogInAs("David Kim");
    ChooseAlbum("P 12");
    // Build B's order button shows the first composition first (also 15.99).
    const std::string album = build == Build::B ? "Beethoven - Symphony No. 5 in C minor"
                                                : "Tchaikovsky - Symphony No. 6 Pathetique";
    const std::string product = build == Build::B ? "1" : "12";
    const long orders = Count("ORDERS");

    WithOrderForm([&](frmOrder& order) {
        EXPECT_EQ(order.Caption(), "Make An Order");
        EXPECT_EQ(order.txtName.Text(), "David Kim");
        EXPECT_EQ(order.txtStreet.Text(), "77 Harbor Street");
        EXPECT_EQ(order.txtCityStateZip.Text(), "Seattle, WA 98101");
        EXPECT_EQ(order.txtPhone.Text(), "(206) 555-0178");
        EXPECT_TRUE(order.txtName.Locked() && order.txtPhone.Locked());
        EXPECT_EQ(order.comboCardType.Text(), "Visa");
        EXPECT_EQ(order.lblAlbumInfo.Caption(), album);
        EXPECT_EQ(order.txtQuantity.Text(), "1");
        EXPECT_EQ(order.lblTotal.Caption(), "$ 17.99");

        TypeQuantity(order, "3");
        EXPECT_EQ(order.lblSubTotal.Caption(), "$ 47.97");
        EXPECT_EQ(order.lblShipping.Caption(), "$ 6.00");
        EXPECT_EQ(order.lblTotal.Caption(), "$ 53.97");
        FillCard(order);
        PlaceOrder(order);
    });

    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(Count("ORDERS"), orders + 1);
    EXPECT_EQ(OrderRow(13), "3|Visa|4111 1111 1111 1111|09/29|" + product + "|3|53.97|Order Initiated");
    auto rs = Db().OpenRecordset("SELECT ORDERDATE FROM ORDERS WHERE ORDERID = 13", dao::dbOpenSnapshot);
    EXPECT_EQ(vb::Format(rs->Fields(0).Value(), "MM/DD/YY"), vb::Format(vb::Variant(vb::Today()), "MM/DD/YY"));
    EXPECT_EQ(Main().statusMain.SimpleText(), "Your order has been received!");
    EXPECT_EQ(confirmationText_, "Your order for '" + album + "' has been received!");
    EXPECT_EQ(driver().ModalShows(), (std::vector<std::string>{"frmExistingLogin", "frmOrder", "frmConfirm"}));
    // The order form is only hidden; the confirmation stays loaded too.
    EXPECT_TRUE(forms::Default<frmOrder>().IsLoaded());
    EXPECT_FALSE(forms::Default<frmOrder>().Visible());
}

INSTANTIATE_TEST_SUITE_P(Builds, OrderInEveryBuild, ::testing::Values(Build::A, Build::B, Build::C),
                         [](const auto& info) { return std::string(1, "ABC"[static_cast<int>(info.param)]); });

TEST_F(Ordering, NewCustomerIsStoredUnderTheNextKeyWithQuotesIntact) {
    Open(Build::C);
    LogInAs("New Customer");
    ChooseAlbum("P 9");
    WithOrderForm([&](frmOrder& order) {
        EXPECT_EQ(order.txtName.Text(), "");
        EXPECT_FALSE(order.txtName.Locked() || order.txtStreet.Locked() || order.txtCityStateZip.Locked() ||
                     order.txtPhone.Locked());
        driver().Type(order.txtName, "Sean O'Brien");
        driver().Type(order.txtStreet, "12 O'Connell Street");
        driver().Type(order.txtCityStateZip, "Dublin', 'x");
        driver().Type(order.txtPhone, "555-0199");
        driver().Choose(order.comboCardType, "Discover");
        driver().Type(order.txtCreditCard, "6011 '0'");
        driver().Type(order.txtExpirationDate, "01/30'); DELETE FROM ORDERS; --");
        PlaceOrder(order);
    });
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(Value("SELECT NAME, STREET, CITYSTATEZIP, PHONE FROM CUSTOMERS WHERE CUSTID = 8"),
              "Sean O'Brien|12 O'Connell Street|Dublin', 'x|555-0199");
    EXPECT_EQ(OrderRow(13), "8|Discover|6011 '0'|01/30'); DELETE FROM ORDERS; --|9|1|16.5|Order Initiated");
    EXPECT_EQ(Count("ORDERS"), 13);
    EXPECT_EQ(modMain::gobjLogin->LatestLogin(), 8);
}

TEST_F(Ordering, FirstCustomerAndFirstOrderGetKeyOne) {
    Open(Build::C);
    LogInAs("New Customer");
    Execute("DELETE FROM ORDERS");
    Execute("DELETE FROM CUSTOMERS");
    WithOrderForm([&](frmOrder& order) {
        for (forms::TextBox* box : {&order.txtName, &order.txtStreet, &order.txtCityStateZip, &order.txtPhone}) {
            driver().Type(*box, "x");
        }
        FillCard(order);
        PlaceOrder(order);
    });
    EXPECT_EQ(Value("SELECT NAME FROM CUSTOMERS WHERE CUSTID = 1"), "x");
    EXPECT_EQ(Value("SELECT CUSTID FROM ORDERS WHERE ORDERID = 1"), "1");
}

TEST_F(Ordering, FailedOrderLeavesNoNewCustomerBehind) {
    Open(Build::C);
    LogInAs("New Customer");
    const std::string customers = Rows("CUSTOMERS");
    WithOrderForm([&](frmOrder& order) {
        for (forms::TextBox* box : {&order.txtName, &order.txtStreet, &order.txtCityStateZip, &order.txtPhone}) {
            driver().Type(*box, "x");
        }
        FillCard(order);
        Execute("DROP TABLE ORDERS");
        driver().Click(order.cmdOrder);
        EXPECT_TRUE(order.Visible());
    });
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().title, "Unexpected error in frmOrder.cmdOrder_Click");
    EXPECT_EQ(Rows("CUSTOMERS"), customers);
    EXPECT_EQ(modMain::gobjLogin->LatestLogin(), -3);
    EXPECT_NE(Main().statusMain.SimpleText(), "Your order has been received!");
    EXPECT_EQ(driver().ModalShows(), (std::vector<std::string>{"frmExistingLogin", "frmOrder"}));
}

TEST_F(Ordering, QuantityAndFieldChecks) {
    Open(Build::C);
    LogInAs("Laura Bennett");
    WithOrderForm([&](frmOrder& order) {
        // Only digits and backspace reach the box.
        TypeQuantity(order, "a1-b2.");
        EXPECT_EQ(order.txtQuantity.Text(), "12");
        EXPECT_EQ(order.OrderQuantity(), 12);

        FillCard(order);
        for (const std::string quantity : {"", "0", "99999999999", "1073741824"}) {
            TypeQuantity(order, quantity);
            driver().Click(order.cmdOrder);
        }
        order.txtExpirationDate.Text("");
        TypeQuantity(order, "2");
        driver().Type(order.txtQuantity, "\r");  // Enter places the order
    });
    std::vector<std::string> texts;
    for (const auto& box : driver().MessageBoxes()) texts.push_back(box.title + ": " + box.text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Invalid Quantity Ordered: Order quantity must be greater than 0.",
                         "Invalid Quantity Ordered: Order quantity must be greater than 0.",
                         "Invalid Quantity Ordered: Order quantity is too large.",
                         "Invalid Quantity Ordered: Order quantity is too large.",
                         "Incomplete Order: You must complete the order form before you can make your purchase.",
                     }));
    EXPECT_EQ(Count("ORDERS"), 12);
}

// Builds A and B read the box afresh at Place Order: no digits is no quantity,
// beyond 32 bits is too large.
TEST_F(Ordering, BuildsAAndBReadTheBoxAtPlaceOrder) {
    for (Build build : {Build::A, Build::B}) {
        SCOPED_TRACE(static_cast<int>(build));
        driver().ClearMessageBoxes();
        Open(build);
        LogInAs("Laura Bennett");
        WithOrderForm([&](frmOrder& order) {
            FillCard(order);
            order.txtQuantity.Text("");
            driver().Click(order.cmdOrder);
            order.txtQuantity.Text("2147483648");
            driver().Click(order.cmdOrder);
        });
        ASSERT_EQ(driver().MessageBoxes().size(), 2u);
        EXPECT_EQ(driver().MessageBoxes()[0].text, "Order quantity must be greater than 0.");
        EXPECT_EQ(driver().MessageBoxes()[1].text, "Order quantity is too large.");
        forms::ReleaseDefault<frmOrder>();
        forms::ReleaseDefault<frmMain>();
    }
    EXPECT_EQ(Count("ORDERS"), 12);
}

TEST_F(Ordering, CustomerWithoutARowShowsEmptyBoxes) {
    Open(Build::C);
    LogInAs("David Kim");
    Execute("UPDATE CUSTOMERS SET STREET = NULL WHERE CUSTID = 3");
    WithOrderForm([&](frmOrder& order) {
        EXPECT_EQ(order.txtName.Text(), "David Kim");
        EXPECT_EQ(order.txtStreet.Text(), "");
        EXPECT_TRUE(order.txtStreet.Locked());
    });
    forms::ReleaseDefault<frmOrder>();
    Execute("DELETE FROM CUSTOMERS WHERE CUSTID = 3");
    WithOrderForm([&](frmOrder& order) { EXPECT_EQ(order.txtName.Text(), ""); });
    EXPECT_TRUE(driver().MessageBoxes().empty());

    forms::ReleaseDefault<frmOrder>();
    Execute("DROP TABLE CUSTOMERS");
    WithOrderForm([&](frmOrder& order) { EXPECT_EQ(order.txtPhone.Text(), ""); });
    EXPECT_EQ(LastBox().title, "Unexpected error in frmOrder.Form_Load");

    // Each show reads the customer once: at the load, then at every later show.
    driver().ClearMessageBoxes();
    WithOrderForm([&](frmOrder& order) { driver().Click(order.cmdCancel); });
    EXPECT_EQ(driver().MessageBoxes().size(), 1u);
    WithOrderForm([&](frmOrder& order) { driver().Click(order.cmdCancel); });
    ASSERT_EQ(driver().MessageBoxes().size(), 2u);
    EXPECT_EQ(LastBox().title, "Unexpected error in frmOrder.Form_Activate");
}

// With a composer selected, the album still shown is the one ordered.
TEST_F(Ordering, ComposerSelectedOrdersTheAlbumShown) {
    Open(Build::C);
    LogInAs("David Kim");
    ChooseAlbum("P 12");
    ChooseAlbum("Mozart");
    WithOrderForm([&](frmOrder& order) {
        EXPECT_EQ(order.lblAlbumInfo.Caption(), "Tchaikovsky - Symphony No. 6 Pathetique");
        FillCard(order);
        PlaceOrder(order);
    });
    EXPECT_EQ(Value("SELECT PRODID FROM ORDERS WHERE ORDERID = 13"), "12");
}

TEST_F(Ordering, CancelHidesAndAShowFindsTheFormAsLeft) {
    Open(Build::C);
    LogInAs("David Kim");
    WithOrderForm([&](frmOrder& order) {
        TypeQuantity(order, "4");
        driver().Click(order.cmdCancel);
    });
    WithOrderForm([&](frmOrder& order) { EXPECT_EQ(order.txtQuantity.Text(), "4"); });
    EXPECT_EQ(Count("ORDERS"), 12);
}

// The form is only hidden between orders; each show takes the album chosen
// in the main window since, and the order stores what the form shows.
TEST_F(Ordering, EachShowTakesTheAlbumChosenSince) {
    Open(Build::C);
    LogInAs("David Kim");
    ChooseAlbum("P 12");
    WithOrderForm([&](frmOrder& order) {
        EXPECT_EQ(order.lblAlbumInfo.Caption(), "Tchaikovsky - Symphony No. 6 Pathetique");
        EXPECT_EQ(order.lblTotal.Caption(), "$ 17.99");
        driver().Click(order.cmdCancel);
    });

    ChooseAlbum("P 8");
    WithOrderForm([&](frmOrder& order) {
        EXPECT_EQ(order.lblAlbumInfo.Caption(), "Bach - Brandenburg Concertos 1-6");
        EXPECT_EQ(order.lblTotal.Caption(), "$ 21.99");
        FillCard(order);
        TypeQuantity(order, "2");
        PlaceOrder(order);
    });
    EXPECT_EQ(OrderRow(13), "3|Visa|4111 1111 1111 1111|09/29|8|2|43.98|Order Initiated");
    EXPECT_EQ(confirmationText_, "Your order for 'Bach - Brandenburg Concertos 1-6' has been received!");

    // The quantity typed before stays; the amounts are those of the new album.
    ChooseAlbum("P 9");
    WithOrderForm([&](frmOrder& order) {
        EXPECT_EQ(order.lblAlbumInfo.Caption(), "Bach - Goldberg Variations");
        EXPECT_EQ(order.txtQuantity.Text(), "2");
        EXPECT_EQ(order.lblSubTotal.Caption(), "$ 29.00");
        EXPECT_EQ(order.lblTotal.Caption(), "$ 33.00");
        PlaceOrder(order);
    });
    EXPECT_EQ(OrderRow(14), "3|Visa|4111 1111 1111 1111|09/29|9|2|33|Order Initiated");
    EXPECT_EQ(confirmationText_, "Your order for 'Bach - Goldberg Variations' has been received!");
}

// The customer boxes follow the login in force at each show: a known
// customer's details locked, empty and open for a new customer.
TEST_F(Ordering, CustomerBoxesFollowTheLoginAtEachShow) {
    Open(Build::C);
    LogInAs("David Kim");
    WithOrderForm([&](frmOrder& order) {
        EXPECT_EQ(order.txtName.Text(), "David Kim");
        EXPECT_TRUE(order.txtName.Locked());
        driver().Click(order.cmdCancel);
    });

    LogInAs("New Customer");
    WithOrderForm([&](frmOrder& order) {
        for (forms::TextBox* box : {&order.txtName, &order.txtStreet, &order.txtCityStateZip, &order.txtPhone}) {
            EXPECT_EQ(box->Text(), "");
            EXPECT_FALSE(box->Locked());
        }
        driver().Type(order.txtName, "Ines Berg");
        driver().Type(order.txtStreet, "9 Quay Road");
        driver().Type(order.txtCityStateZip, "Portland, ME 04101");
        driver().Type(order.txtPhone, "(207) 555-0111");
        FillCard(order);
        PlaceOrder(order);
    });
    EXPECT_EQ(Value("SELECT NAME, STREET, CITYSTATEZIP, PHONE FROM CUSTOMERS WHERE CUSTID = 8"),
              "Ines Berg|9 Quay Road|Portland, ME 04101|(207) 555-0111");
    EXPECT_EQ(Value("SELECT CUSTID FROM ORDERS WHERE ORDERID = 13"), "8");
    EXPECT_EQ(Value("SELECT NAME FROM CUSTOMERS WHERE CUSTID = 3"), "David Kim");

    // The new customer is now the login in force.
    WithOrderForm([&](frmOrder& order) {
        EXPECT_EQ(order.txtName.Text(), "Ines Berg");
        EXPECT_TRUE(order.txtName.Locked());
        driver().Click(order.cmdCancel);
    });
    LogInAs("Laura Bennett");
    WithOrderForm([&](frmOrder& order) {
        EXPECT_EQ(order.txtName.Text(), "Laura Bennett");
        EXPECT_EQ(order.txtPhone.Text(), "(614) 555-0119");
        driver().Click(order.cmdCancel);
    });
    EXPECT_EQ(Count("CUSTOMERS"), 10);
}

// Builds A and B order the quantity the box holds at Place Order; the
// amounts stored and shown are those of that quantity.
TEST_F(Ordering, BuildsAAndBStoreTheAmountsOfTheQuantityOrdered) {
    Open(Build::A);
    LogInAs("David Kim");
    ChooseAlbum("P 12");
    WithOrderForm([&](frmOrder& order) {
        FillCard(order);
        order.txtQuantity.Text("3");  // set without a key stroke
        PlaceOrder(order);
        EXPECT_EQ(order.lblTotal.Caption(), "$ 53.97");
    });
    EXPECT_EQ(OrderRow(13), "3|Visa|4111 1111 1111 1111|09/29|12|3|53.97|Order Initiated");
}

class QuickOrder : public Ordering {
protected:
    // Double-clicks the album picture and answers the quick-order dialog.
    void Quick(const std::string& quantity, const std::function<void(frmOrder&)>& inside = {}) {
        ASSERT_TRUE(driver().DoubleClickControl(Main().pictAlbumImage));
        frmOrderAlbum& dialog = forms::Default<frmOrderAlbum>();
        ASSERT_TRUE(dialog.Visible());
        EXPECT_FALSE(dialog.IsModal());
        EXPECT_EQ(dialog.Caption(), "Order " + Main().lblComposition.Caption());
        driver().Type(dialog.txtQuantity, quantity);
        if (inside) driver().OnModal([inside](forms::Form& form) { inside(dynamic_cast<frmOrder&>(form)); });
        driver().Click(dialog.cmdOK);
        EXPECT_FALSE(dialog.IsLoaded());
        forms::ReleaseDefault<frmOrder>();
    }
};

TEST_F(QuickOrder, PresetsTheQuantityOfTheOrderForm) {
    Open(Build::C);
    LogInAs("David Kim");
    ChooseAlbum("P 12");

    Quick("2.5", [&](frmOrder& order) {
        EXPECT_EQ(order.txtQuantity.Text(), "2.5");
        EXPECT_EQ(order.lblSubTotal.Caption(), "$ 31.98");  // 2 albums: rounded to even
        FillCard(order);
        PlaceOrder(order);
    });
    EXPECT_EQ(Value("SELECT QUANTITY FROM ORDERS WHERE ORDERID = 13"), "2");

    Quick("0", [&](frmOrder& order) { EXPECT_EQ(order.txtQuantity.Text(), "1"); });
    Quick("-3", [&](frmOrder& order) {
        EXPECT_EQ(order.txtQuantity.Text(), "-3");
        FillCard(order);
        driver().Click(order.cmdOrder);
    });
    EXPECT_EQ(LastBox().text, "Order quantity must be greater than 0.");
    EXPECT_EQ(Count("ORDERS"), 13);

    driver().ClearMessageBoxes();
    Quick("abc");
    ASSERT_EQ(driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().title, "Order Error!");
    EXPECT_EQ(LastBox().text, "You must enter a number.");
}

// A quantity chosen in the quick order reaches the order form also when it
// is already loaded from an earlier show.
TEST_F(QuickOrder, PresetReachesTheFormShownBefore) {
    Open(Build::C);
    LogInAs("David Kim");
    ChooseAlbum("P 12");
    WithOrderForm([&](frmOrder& order) { driver().Click(order.cmdCancel); });
    ASSERT_TRUE(forms::Default<frmOrder>().IsLoaded());

    ChooseAlbum("P 9");
    ASSERT_TRUE(driver().DoubleClickControl(Main().pictAlbumImage));
    frmOrderAlbum& dialog = forms::Default<frmOrderAlbum>();
    driver().Type(dialog.txtQuantity, "3");
    driver().OnModal([&](forms::Form& form) {
        auto& order = dynamic_cast<frmOrder&>(form);
        EXPECT_EQ(order.txtQuantity.Text(), "3");
        EXPECT_EQ(order.lblAlbumInfo.Caption(), "Bach - Goldberg Variations");
        EXPECT_EQ(order.lblTotal.Caption(), "$ 49.50");
        FillCard(order);
        PlaceOrder(order);
    });
    driver().Click(dialog.cmdOK);
    EXPECT_EQ(Value("SELECT PRODID, QUANTITY, TOTAL FROM ORDERS WHERE ORDERID = 13"), "9|3|49.5");
}

TEST_F(QuickOrder, BuildAHasNone) {
    Open(Build::A);
    driver().DoubleClickControl(Main().pictAlbumImage);
    EXPECT_FALSE(forms::HasDefault<frmOrderAlbum>());
}

TEST(CreditCheck, AllThreeDetailsAreNeeded) {
    clsCreditCheck check;
    EXPECT_TRUE(check.CardType().IsEmpty());
    EXPECT_FALSE(check.ValidateCreditCard());
    check.CardNumber("4111 1111");
    EXPECT_TRUE(check.ValidateCreditCard());  // Empty type and date are not Null
    check.CardType(vb::Variant::Null());
    EXPECT_FALSE(check.ValidateCreditCard());
    check.SetMember("CardType", vb::Variant("Visa"));
    check.SetMember("ExpirationDate", vb::Variant::Null());
    EXPECT_FALSE(check.CallMember("ValidateCreditCard", {}).ToBool());
    check.ExpirationDate(vb::Variant("09/29"));
    EXPECT_TRUE(check.CallMember("ValidateCreditCard", {}).ToBool());
    EXPECT_EQ(check.GetMember("CardType").ToString(), "Visa");
}

TEST(OrderForm, ReplaceStringReplacesEveryOccurrence) {
    forms::testing::Driver driver;
    frmOrder& order = forms::Default<frmOrder>();
    EXPECT_EQ(order.ReplaceString("4111-1111-1111", "-", " "), "4111 1111 1111");
    EXPECT_EQ(order.ReplaceString("O'Brien", "'", "''"), "O''Brien");
    EXPECT_EQ(order.ReplaceString("abc", "", "x"), "abc");
    EXPECT_FALSE(order.IsLoaded());
}

}  // namespace
}  // namespace catalogue::testing
