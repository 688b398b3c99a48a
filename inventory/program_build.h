#pragma once
// Which build of the inventory application this program is, and what tells
// the two builds apart. Both builds come from one source tree; every
// difference between them is a named value of BuildDesign, kept in one place.
#include "twips.h"

namespace inventory {

enum class Build { B, C };

// The build this program was made as (build C until a program says otherwise).
Build ProgramBuild();
// Called once by each program's entry point (and by tests) before any form exists.
void SetProgramBuild(Build build);

struct BuildDesign {
    // Start-up: the record forms' own database is opened as well.
    bool opensFormsDatabase;
    // The main window's client area, and whether its toolbar's record and
    // restore buttons work (else they say they are not implemented), and
    // whether it closes the forms' database when it unloads.
    forms::Twips mainClientWidth;
    forms::Twips mainClientHeight;
    bool hasRecordFormsAndRestore;
    bool closesDatabaseOnUnload;
    // Field validation checks values (else it accepts everything).
    bool validatesFields;
    // The About box: the build letter of its version line, its size, and
    // whether it shows the small icon instead of the picture.
    const char* aboutVersionPrefix;
    forms::Twips aboutClientWidth;
    forms::Twips aboutClientHeight;
    bool aboutShowsIcon;
    // The splash: its version line, its size, whether the copyright line
    // names the company, and whether it shows itself before the fonts are set.
    const char* splashVersionPrefix;
    forms::Twips splashClientWidth;
    forms::Twips splashClientHeight;
    bool splashCopyrightNamesCompany;
    bool splashShowsBeforeFonts;
    // The tips file, read from the data folder or from the program folder.
    const char* tipsFile;
    bool tipsInDataFolder;
};

const BuildDesign& DesignOf(Build build);
// The design of the running build.
const BuildDesign& Design();

}  // namespace inventory
