#pragma once
// The names of the inventory's text reports.
#include <string>

namespace inventory::Inventory {

// `base`, the first number n = 1, 2, ... for which no file `base`n.txt exists
// in the current folder, and ".txt". Error 6 past 32767.
std::string NextReportFileName(const std::string& base);

}  // namespace inventory::Inventory
