#pragma once
// The inventory program of the catalogue's own build, started from the
// Admin menu.

namespace catalogue {

// Starts the inventory program of this build as a new process with a
// normal, focused window, passing nothing and waiting for nothing. Build A
// starts "StockwiseA.exe" by name through the program search; a start that
// fails is reported and the catalogue goes on. Builds B and C start
// "StockwiseB.exe" or "StockwiseC.exe" from the program folder, after
// checking that it is there ("Cannot Find File" when not); errors other than
// a bad file name reach the caller.
void StartInventoryProgram();

}  // namespace catalogue
