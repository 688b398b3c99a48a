// The program's own viewer for text files, and Shell "notepad" reaching it
// where the desktop has no viewer on PATH.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <QAccessible>
#include <QPlainTextEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include "application.h"
#include "error_of.h"
#include "shell_program.h"
#include "text_viewer.h"

namespace {

namespace fs = std::filesystem;

class TextViewer : public ::testing::Test {
protected:
    TextViewer() {
        std::string pattern = (fs::temp_directory_path() / "viewer-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
        forms::EnsureQtApplication();
    }
    ~TextViewer() override {
        for (QWidget* w : forms::TextViewerWindows()) delete w;
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }
    static QPlainTextEdit* TextOf(QWidget* window) { return window ? window->findChild<QPlainTextEdit*>() : nullptr; }
    static QWidget* Titled(const char* title) {
        for (QWidget* w : forms::TextViewerWindows()) {
            if (w->windowTitle() == QLatin1String(title)) return w;
        }
        return nullptr;
    }

    fs::path dir_;
};

TEST_F(TextViewer, ShowsTheFileReadOnlyUnderItsName) {
    const fs::path report = Write("tblSuppliers1.txt", "tblSuppliers Information\r\nID: \t1\r\nCaf\xc3\xa9\r\n");
    ASSERT_TRUE(forms::ShowTextFile(report.string()));
    ASSERT_EQ(forms::TextViewerWindows().size(), 1u);
    QWidget* window = forms::TextViewerWindows().front();
    EXPECT_EQ(window->windowTitle(), "tblSuppliers1.txt");
    QPlainTextEdit* text = TextOf(window);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->toPlainText().toStdString(), "tblSuppliers Information\nID: \t1\nCaf\xc3\xa9\n");

    // A tool finds the window by the file's name and reads the text.
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->text(QAccessible::Name).toStdString(), "tblSuppliers1.txt");

    // Not UTF-8: Windows Latin-1, as files from older programs are.
    ASSERT_TRUE(forms::ShowTextFile(Write("latin.txt", "Caf\xe9").string()));
    ASSERT_EQ(forms::TextViewerWindows().size(), 2u);
    ASSERT_NE(Titled("latin.txt"), nullptr);
    EXPECT_EQ(TextOf(Titled("latin.txt"))->toPlainText().toStdString(), "Caf\xc3\xa9");

    EXPECT_FALSE(forms::ShowTextFile((dir_ / "missing.txt").string()));
    EXPECT_EQ(forms::TextViewerWindows().size(), 2u);
}

TEST_F(TextViewer, NotepadOpensItWhenTheDesktopHasNoViewer) {
    Write("tblPO1.txt", "tblPO Information\r\n");
    const fs::path empty = dir_ / "bin";
    fs::create_directory(empty);
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    const fs::path savedDir = fs::current_path();
    ::setenv("PATH", empty.c_str(), 1);
    fs::current_path(dir_);
    double id = 0;
    const int error = formtest::ErrorOf([&] { id = vb::Shell("notepad tblPO1.txt", vb::vbNormalFocus); });
    fs::current_path(savedDir);
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(id, static_cast<double>(::getpid()));
    ASSERT_EQ(forms::TextViewerWindows().size(), 1u);
    QWidget* window = forms::TextViewerWindows().front();
    EXPECT_EQ(window->windowTitle(), "tblPO1.txt");
    EXPECT_EQ(window->accessibleDescription().toStdString(), (dir_ / "tblPO1.txt").string());
    EXPECT_EQ(TextOf(window)->toPlainText(), "tblPO Information\n");
}

}  // namespace
