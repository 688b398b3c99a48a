#pragma once
// A catalogue session for the tests of the main window's commands: the main
// window of a build loaded and shown over the copied database, logins through
// the real login dialog, albums chosen in the tree.
#include <string>

#include "catalogue_fixture.h"
#include "program_build.h"

namespace catalogue {
class frmMain;
}

namespace catalogue::testing {

class CatalogueSession : public CatalogueTest {
protected:
    // Loads and shows the main window as `build` makes it.
    frmMain& Open(Build build = Build::C);
    frmMain& Main();
    // File, Login As New User..., choosing `name` in the dialog.
    void LogInAs(const std::string& name);
    // Clicks the composition whose tree key is `key` ("P 12").
    void ChooseAlbum(const std::string& key);
    // The fields of the first row of a query on the checking connection,
    // joined with "|" ("<none>" without a row, "<null>" for Null).
    std::string Value(const std::string& sql);
    // The latest message box shown, or an empty one.
    forms::testing::RecordedMessageBox LastBox();
};

}  // namespace catalogue::testing
