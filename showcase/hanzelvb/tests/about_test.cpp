// The About box: title and version from the program's version block, and
// the system-information program found through the registry.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "application.h"
#include "frm_about.h"
#include "frm_main.h"
#include "hanzelvb_fixture.h"
#include "registry.h"

namespace hanzelvb::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";

// A pipe that a started test program writes its arguments into: the test
// waits on the pipe, not on a clock.
class StartedProgram {
public:
    explicit StartedProgram(const fs::path& fifo) : fifo_(fifo) {
        ::mkfifo(fifo_.c_str(), 0600);
        // Opened for reading and writing, so the program's open never waits
        // and the pipe never reports a hang-up before it wrote.
        fd_ = ::open(fifo_.c_str(), O_RDWR | O_NONBLOCK);
    }
    ~StartedProgram() { ::close(fd_); }
    // The script body that reports the program's arguments.
    std::string Script() const { return "printf 'started:%s|' \"$#\" \"$@\" > '" + fifo_.string() + "'\n"; }
    // What the program wrote, or nothing when it has not started within a
    // generous wait for the event.
    std::optional<std::string> Report() const {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 30000) != 1) return std::nullopt;
        char buffer[256];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        return n > 0 ? std::optional<std::string>(std::string(buffer, static_cast<std::size_t>(n))) : std::nullopt;
    }

private:
    fs::path fifo_;
    int fd_ = -1;
};

class About : public HanzelTest {
protected:
    // Opens the box from the start form's Help menu and runs `inside` in it.
    void Open(const std::function<void(frmAbout&)>& inside) {
        driver().OnModal([&, inside](forms::Form& form) {
            auto& about = dynamic_cast<frmAbout&>(form);
            inside(about);
            driver().Click(about.cmdOK);
        });
        frmMain& main = forms::Default<frmMain>();
        main.Show();
        ASSERT_TRUE(driver().ChooseMenu(main.AboutMnu));
        EXPECT_FALSE(forms::Default<frmAbout>().IsLoaded());
    }
    // Clicks System Info in the box.
    void SystemInfo() {
        Open([&](frmAbout& about) { driver().Click(about.cmdSysInfo); });
    }
    void ExpectUnavailable() {
        ASSERT_EQ(driver().MessageBoxes().size(), 1u);
        EXPECT_EQ(driver().MessageBoxes()[0].text, kUnavailable);
        EXPECT_EQ(driver().MessageBoxes()[0].title, "VB Hanzel!");
        EXPECT_EQ(driver().MessageBoxes()[0].style, forms::vbOKOnly);
    }
};

TEST_F(About, ShowsTitleAndVersionOfTheVersionBlock) {
    Open([&](frmAbout& about) {
        EXPECT_EQ(about.Caption(), "About VB Hanzel!");
        EXPECT_EQ(about.lblTitle.Caption(), "VB Hanzel!");
        EXPECT_EQ(about.lblVersion.Caption(), "Version 1.0.0");
        EXPECT_EQ(about.lblDescription.Caption(), "This application was created with Visual Basic 5.0.");
        EXPECT_TRUE(about.cmdOK.Default() && about.cmdOK.Cancel());
        EXPECT_EQ(about.cmdSysInfo.Caption(), "&System Info...");
    });
    EXPECT_EQ(driver().ModalShows(), std::vector<std::string>{"frmAbout"});
}

TEST_F(About, StartsTheProgramTheFirstValueNamesAsOneWord) {
    StartedProgram started(Root() / "report");
    // A folder with blanks and a name the program does not check for.
    const fs::path program = Root() / "Shared Tools" / "sys info";
    WriteScript(program, started.Script());
    reg::SetText(reg::Hive::LocalMachine, kSysInfoKey, "PATH", program.string());
    SystemInfo();
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(started.Report(), "started:0|");
}

TEST_F(About, StartsTheProgramInTheFolderTheSecondValueNames) {
    StartedProgram started(Root() / "report");
    const fs::path folder = Root() / "MSINFO folder";
    WriteScript(folder / "MSINFO32", started.Script());
    reg::SetText(reg::Hive::LocalMachine, kSysInfoFolderKey, "MSINFO", folder.string());
    SystemInfo();
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(started.Report(), "started:0|");
}

TEST_F(About, SecondValueWithoutTheProgramInItsFolderIsUnavailable) {
    fs::create_directories(Root() / "empty folder");
    reg::SetText(reg::Hive::LocalMachine, kSysInfoFolderKey, "MSINFO", (Root() / "empty folder").string());
    SystemInfo();
    ExpectUnavailable();
}

TEST_F(About, FirstValueOfAnotherTypeIsUnavailable) {
    reg::SetValue(reg::Hive::LocalMachine, kSysInfoKey, "PATH", reg::Value{reg::REG_BINARY, "\x01\x02", 0});
    SystemInfo();
    ExpectUnavailable();
}

TEST_F(About, FirstValueThatIsNoProgramIsUnavailable) {
    reg::SetText(reg::Hive::LocalMachine, kSysInfoKey, "PATH", (Root() / "no such program").string());
    SystemInfo();
    ExpectUnavailable();
}

TEST_F(About, NumberValueIsReadAsTheNumberItHolds) {
    // 0x01000200: zero bytes inside and at the low end, which a reading of
    // the bytes as characters would lose or reorder.
    StartedProgram started(Root() / "report");
    WriteScript(ProgramFolder() / "16777728", started.Script());
    reg::SetNumber(reg::Hive::LocalMachine, kSysInfoKey, "PATH", 0x01000200u);
    SystemInfo();
    EXPECT_TRUE(driver().MessageBoxes().empty());
    EXPECT_EQ(started.Report(), "started:0|");
}

TEST_F(About, WithoutAnyValueIsUnavailableAndWritesNothing) {
    SystemInfo();
    ExpectUnavailable();
    EXPECT_FALSE(reg::KeyExists(reg::Hive::LocalMachine, kSysInfoKey));
    EXPECT_FALSE(reg::KeyExists(reg::Hive::LocalMachine, kSysInfoFolderKey));
    EXPECT_FALSE(reg::KeyExists(reg::Hive::LocalMachine, "SOFTWARE"));
}

}  // namespace
}  // namespace hanzelvb::testing
