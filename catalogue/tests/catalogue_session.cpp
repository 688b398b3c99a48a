#include "catalogue_session.h"

#include "application.h"
#include "frm_existing_login.h"
#include "frm_main.h"

namespace catalogue::testing {

frmMain& CatalogueSession::Open(Build build) {
    SetProgramBuild(build);
    OpenDatabaseAsMain();
    frmMain& window = forms::Default<frmMain>();
    forms::Load(window);
    window.Show();
    driver().ProcessEvents();
    return window;
}

frmMain& CatalogueSession::Main() { return forms::Default<frmMain>(); }

void CatalogueSession::LogInAs(const std::string& name) {
    bool chosen = false;
    driver().OnModal([&](forms::Form& form) {
        auto& login = dynamic_cast<frmExistingLogin&>(form);
        chosen = driver().Choose(login.lstUserName, name);
        driver().Click(login.cmdOK);
    });
    ASSERT_TRUE(driver().ChooseMenu(Main().mnuLogin));
    ASSERT_TRUE(chosen) << name;
}

void CatalogueSession::ChooseAlbum(const std::string& key) {
    ClickNode(Main().treMain, Main().treMain.Nodes().Item(vb::Variant(key)));
}

std::string CatalogueSession::Value(const std::string& sql) {
    auto rs = Db().OpenRecordset(sql, dao::dbOpenSnapshot);
    if (rs->Eof()) return "<none>";
    std::string row;
    for (int i = 0; i < rs->Fields().Count(); ++i) {
        const vb::Variant v = rs->Fields(i).Value();
        if (i > 0) row += "|";
        row += v.IsNull() ? "<null>" : v.ToString();
    }
    return row;
}

forms::testing::RecordedMessageBox CatalogueSession::LastBox() {
    const auto& boxes = driver().MessageBoxes();
    return boxes.empty() ? forms::testing::RecordedMessageBox{} : boxes.back();
}

}  // namespace catalogue::testing
