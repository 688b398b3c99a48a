#include <gtest/gtest.h>

#include "error_number.h"
#include "file_io.h"
#include "temp_folder.h"

using namespace vb;

class FileIo : public ::testing::Test {
protected:
    void TearDown() override { Close(); }
    TempFolder dir;
};

TEST_F(FileIo, PrintWritesCrLfAndLineInputReadsItBack) {
    int n = FreeFile();
    Open(dir / "tips.txt", OpenMode::Output, n);
    Print(n, "First tip");
    PrintPart(n, "Second ");
    Print(n, "tip, ünïcode");
    Print(n);
    Close(n);
    EXPECT_EQ(dir.read("tips.txt"), "First tip\r\nSecond tip, ünïcode\r\n\r\n");

    Open(dir / "tips.txt", OpenMode::Append, n);
    Print(n, "Third");
    Close(n);

    Open(dir / "tips.txt", OpenMode::Input, n);
    std::vector<std::string> lines;
    while (!Eof(n)) lines.push_back(LineInput(n));
    EXPECT_EQ(lines, (std::vector<std::string>{"First tip", "Second tip, ünïcode", "", "Third"}));
    EXPECT_EQ(ErrorNumber([&] { LineInput(n); }), 62);
}

TEST_F(FileIo, LineEndsOfEveryKind) {
    dir.write("mixed.txt", "unix\nwindows\r\nold mac\rlast without end");
    int n = FreeFile();
    Open(dir / "mixed.txt", OpenMode::Input, n);
    std::vector<std::string> lines;
    while (!Eof(n)) lines.push_back(LineInput(n));
    EXPECT_EQ(lines, (std::vector<std::string>{"unix", "windows", "old mac", "last without end"}));

    dir.write("empty.txt", "");
    Open(dir / "empty.txt", OpenMode::Input, n + 1);
    EXPECT_TRUE(Eof(n + 1));
}

TEST_F(FileIo, FileNumbers) {
    int first = FreeFile();
    Open(dir / "a.txt", OpenMode::Output, first);
    int second = FreeFile();
    EXPECT_NE(first, second);
    EXPECT_EQ(ErrorNumber([&] { Open(dir / "b.txt", OpenMode::Output, first); }), 55);
    EXPECT_EQ(ErrorNumber([&] { Open(dir / "b.txt", OpenMode::Output, 0); }), 52);
    EXPECT_EQ(ErrorNumber([&] { Open(dir / "b.txt", OpenMode::Output, 512); }), 52);
    EXPECT_EQ(ErrorNumber([&] { LineInput(77); }), 52);
    EXPECT_EQ(ErrorNumber([&] { Print(77, "x"); }), 52);
    EXPECT_EQ(ErrorNumber([&] { LineInput(first); }), 54);
    EXPECT_EQ(ErrorNumber([&] { Close(77); }), 0);
    Close(first);
    EXPECT_EQ(FreeFile(), first);
}

TEST_F(FileIo, OpenErrors) {
    EXPECT_EQ(ErrorNumber([&] { Open(dir / "missing.txt", OpenMode::Input, 1); }), 53);
    EXPECT_EQ(ErrorNumber([&] { Open(dir / "no/such/folder.txt", OpenMode::Input, 1); }), 76);
    EXPECT_EQ(ErrorNumber([&] { Open(dir / "nofolder/out.txt", OpenMode::Output, 1); }), 76);
    EXPECT_EQ(ErrorNumber([&] { Open(dir.path(), OpenMode::Input, 1); }), 75);
    EXPECT_EQ(ErrorNumber([&] { Open("", OpenMode::Input, 1); }), 52);
    EXPECT_EQ(ErrorNumber([&] { Open(std::string("a\0b", 3), OpenMode::Output, 1); }), 52);
}

TEST_F(FileIo, AFileBeingWrittenIsNotOpenedTwice) {
    dir.write("data.txt", "keep me\r\n");
    Open(dir / "data.txt", OpenMode::Input, 1);
    Open(dir / "data.txt", OpenMode::Input, 2);  // reading twice is fine
    // Opening it for output would empty it under the readers.
    EXPECT_EQ(ErrorNumber([&] { Open(dir / "data.txt", OpenMode::Output, 3); }), 55);
    EXPECT_EQ(LineInput(1), "keep me");
    Close();
    Open(dir / "data.txt", OpenMode::Append, 1);
    EXPECT_EQ(ErrorNumber([&] { Open(dir / "data.txt", OpenMode::Input, 2); }), 55);
}
