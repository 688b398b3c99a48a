#pragma once
// The search for the folder that holds an application's database file (and,
// for the catalogue, the album pictures beside it).
#include <string>

namespace orvanta {

// The data folder, always ending in a separator: the program folder's "data"
// subfolder when `databaseFile` is there, else the "data" folder beside the
// program folder when it is there, else the program folder itself. Errors of
// the file probe reach the caller.
std::string GetDataPath(const std::string& databaseFile);

}  // namespace orvanta
