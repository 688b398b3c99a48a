#include "program_build.h"

namespace inventory {

namespace {

Build programBuild = Build::C;

constexpr BuildDesign kBuildC{
    .opensFormsDatabase = true,
    .mainClientWidth = 9495,
    .mainClientHeight = 7005,
    .hasRecordFormsAndRestore = true,
    .closesDatabaseOnUnload = true,
    .validatesFields = true,
    .aboutVersionPrefix = "Version C.",
    .aboutClientWidth = 5685,
    .aboutClientHeight = 3675,
    .aboutShowsIcon = false,
    .splashVersionPrefix = "Version ",
    .splashClientWidth = 6660,
    .splashClientHeight = 3765,
    .splashCopyrightNamesCompany = true,
    .splashShowsBeforeFonts = true,
    .tipsFile = "InventoryTips.txt",
    .tipsInDataFolder = true,
};

constexpr BuildDesign kBuildB{
    .opensFormsDatabase = false,
    .mainClientWidth = 8010,
    .mainClientHeight = 5610,
    .hasRecordFormsAndRestore = false,
    .closesDatabaseOnUnload = false,
    .validatesFields = false,
    .aboutVersionPrefix = "Version B.",
    .aboutClientWidth = 5730,
    .aboutClientHeight = 3555,
    .aboutShowsIcon = true,
    .splashVersionPrefix = "Verson ",
    .splashClientWidth = 6645,
    .splashClientHeight = 3810,
    .splashCopyrightNamesCompany = false,
    .splashShowsBeforeFonts = false,
    .tipsFile = "InventoryTipsB.txt",
    .tipsInDataFolder = false,
};

}  // namespace

Build ProgramBuild() { return programBuild; }
void SetProgramBuild(Build build) { programBuild = build; }

const BuildDesign& DesignOf(Build build) { return build == Build::B ? kBuildB : kBuildC; }
const BuildDesign& Design() { return DesignOf(programBuild); }

}  // namespace inventory
