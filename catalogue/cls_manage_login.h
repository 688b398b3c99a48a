#pragma once
// The login state of the running program: who logged in last, with which
// password and whether it is to be remembered. One instance, modMain's
// gobjLogin, created at start-up.
#include <cstdint>
#include <string>

#include "customer_keys.h"
#include "variant.h"

namespace catalogue {

class frmExistingLogin;

class clsManageLogin : public vb::Object {
public:
    std::string TypeName() const override { return "clsManageLogin"; }

    // True once the administrator (kAdministratorCustomer) has logged in;
    // never reset.
    bool AdminLogin() const { return adminLogin_; }
    void AdminLogin(bool value) { adminLogin_ = value; }
    // CUSTID of the customer chosen last; kNobodyLoggedIn until then.
    std::int32_t LatestLogin() const { return latestLogin_; }
    void LatestLogin(std::int32_t value) { latestLogin_ = value; }
    // The "Remember Password" box at the last login: 0 unticked, 1 ticked.
    std::int16_t LatestRememberPassword() const { return latestRememberPassword_; }
    void LatestRememberPassword(std::int16_t value) { latestRememberPassword_ = value; }
    std::string LatestPassword() const { return latestPassword_; }
    void LatestPassword(const std::string& value) { latestPassword_ = value; }

    // Stores the dialog's choice and hides the dialog.
    void SubmitPassword(frmExistingLogin& sourceForm);
    // Fills the dialog's name list from CUSTOMERS and its password fields
    // from the stored state. Errors reach the caller.
    void formActivate(frmExistingLogin& targetForm);

private:
    bool adminLogin_ = false;
    std::int32_t latestLogin_ = kNobodyLoggedIn;
    std::int16_t latestRememberPassword_ = 0;
    std::string latestPassword_;
};

}  // namespace catalogue
