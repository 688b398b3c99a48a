// App in a program without a version block.
#include <gtest/gtest.h>

#include <unistd.h>

#include "app_object.h"

using namespace vb;

TEST(AppWithoutVersionBlock, FolderNameAndDefaults) {
    char exe[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    std::string path = exe;
    EXPECT_EQ(App().Path(), path.substr(0, path.rfind('/')));
    EXPECT_NE(App().Path().back(), '/');
    EXPECT_EQ(App().EXEName(), "basic_tests");
    EXPECT_EQ(App().Title(), "basic_tests");
    EXPECT_EQ(App().FileDescription(), "");
    EXPECT_EQ(App().Major(), 1);
    EXPECT_EQ(App().Minor(), 0);
    EXPECT_EQ(App().Revision(), 0);

    App().SetPathForTesting("/opt/orvanta");
    EXPECT_EQ(App().Path(), "/opt/orvanta");
    App().SetPathForTesting("");
    EXPECT_EQ(App().Path(), path.substr(0, path.rfind('/')));
}
