// Damaged copies of the programs' tip files: the tip form reads every line
// of each (whatever bytes it holds, however its lines end) and shows one of
// them, without an error or a crash.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "frm_tip.h"
#include "mutated_inputs.h"
#include "test_driver.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> TipFiles() {
    std::vector<std::string> files;
    for (const char* name : {"catalogue/tips/OrvantaTips.txt", "catalogue/tips/OrvantaTipsB.txt",
                             "inventory/tips/InventoryTips.txt", "inventory/tips/InventoryTipsB.txt"}) {
        std::ifstream in(std::string(SOURCE_DIR) + "/" + name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!text.str().empty()) files.push_back(text.str());
    }
    return files;
}

// The lines Line Input reads: each ends at CR LF, LF or CR, or at the end.
long LinesOf(const std::string& text) {
    long lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            ++lines;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (i + 1 == text.size()) {
            ++lines;
        }
    }
    return lines;
}

}  // namespace

TEST(TipFileFuzz, DamagedTipFilesAreReadLineByLine) {
    forms::testing::Driver driver;
    const std::vector<std::string> files = TipFiles();
    ASSERT_EQ(files.size(), 4u);
    const fs::path folder = fs::temp_directory_path() / ("tip fuzz " + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string path = (folder / "Tips.txt").string();
    MutatedInputs inputs(files, {"\r", "\n", "\r\n", std::string(1, '\0'), "\x1a", "\xef\xbb\xbf"}, 1993);
    for (int n = 0; n < 400; ++n) {
        const std::string text = inputs.Next();
        SCOPED_TRACE("input " + std::to_string(n));
        std::ofstream(path, std::ios::binary) << text;
        orvanta::frmTip& tip = forms::Default<orvanta::frmTip>();
        bool loaded = false;
        ASSERT_NO_THROW(loaded = tip.LoadTips(path));
        ASSERT_TRUE(loaded);
        ASSERT_EQ(tip.TipCount(), LinesOf(text));
        if (tip.TipCount() > 0) {
            ASSERT_GE(tip.CurrentTip(), 1);
            ASSERT_LE(tip.CurrentTip(), tip.TipCount());
        }
        ASSERT_NO_THROW(tip.cmdNextTip_Click());
        forms::Unload(tip);
    }
    fs::remove_all(folder);
}
