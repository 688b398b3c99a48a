#include "cls_manage_login.h"

#include "dao.h"
#include "err.h"
#include "frm_existing_login.h"
#include "mod_main.h"

namespace catalogue {

void clsManageLogin::SubmitPassword(frmExistingLogin& sourceForm) {
    auto& list = sourceForm.lstUserName;
    const std::int32_t custId = list.ItemData(list.ListIndex());
    LatestLogin(custId);
    LatestPassword(sourceForm.txtPassword.Text());
    LatestRememberPassword(sourceForm.chkPassword.Value());
    if (custId == kAdministratorCustomer) AdminLogin(true);
    sourceForm.Hide();
}

void clsManageLogin::formActivate(frmExistingLogin& targetForm) {
    auto& list = targetForm.lstUserName;
    const std::int32_t previousIndex = list.ListIndex();
    list.Clear();

    auto rs = modMain::Database().OpenRecordset("SELECT CUSTOMERS.* FROM CUSTOMERS;",
                                                dao::dbOpenSnapshot);
    if (!(rs->Bof() && rs->Eof())) {
        rs->MoveFirst();
        while (!rs->Eof()) {
            list.AddItem(rs->Fields("NAME").Value().ToString());
            list.ItemData(list.NewIndex(), rs->Fields("CUSTID").Value().ToLong());
            rs->MoveNext();
        }
        if (previousIndex < 0) {
            list.ListIndex(0);
        } else if (previousIndex < list.ListCount()) {
            list.ListIndex(previousIndex);
        }
    }
    rs->Close();

    targetForm.chkPassword.Value(LatestRememberPassword());
    if (targetForm.chkPassword.Value() == 0) {
        targetForm.txtPassword.Text("");
    } else {
        targetForm.txtPassword.Text(LatestPassword());
    }
}

}  // namespace catalogue
