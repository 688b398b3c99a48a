// App in a program linked with a version block (see CMakeLists.txt).
#include <gtest/gtest.h>

#include "app_object.h"

using namespace vb;

TEST(AppWithVersionBlock, ReadsTheBlockLinkedIntoTheProgram) {
    EXPECT_EQ(App().Title(), "Orvanta Online C");
    EXPECT_EQ(App().FileDescription(), "OrvantaC");
    EXPECT_EQ(App().InternalName(), "OrvantaC");
    EXPECT_EQ(App().OriginalFilename(), "OrvantaC.exe");
    EXPECT_EQ(App().ProductName(), "Orvanta Online");
    EXPECT_EQ(App().Comments(), "Says \"hello\" \\ goodbye");
    EXPECT_EQ(App().CompanyName(), "Tavorin Software");
    EXPECT_EQ(App().LegalCopyright(), "Copyright © 1999");
    EXPECT_EQ(App().FileVersion(), "1.00.0038");
    EXPECT_EQ(App().ProductVersion(), "1.00.0038");
    EXPECT_EQ(App().Major(), 1);
    EXPECT_EQ(App().Minor(), 0);
    EXPECT_EQ(App().Revision(), 38);
    EXPECT_EQ(App().EXEName(), "app_version_block_tests");

    App().SetTitle("Renamed");
    EXPECT_EQ(App().Title(), "Renamed");
}
