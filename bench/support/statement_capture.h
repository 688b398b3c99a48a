#pragma once
// The statements a program phase sends to SQLite, caught as they are
// prepared, so that the phase's limit runs exactly those. Linking this file
// puts a forwarding sqlite3_prepare_v2 in front of the library's.
#include <string>
#include <vector>

namespace bench {

// Starts catching: every statement prepared from now on that returns rows
// is kept, in order, until StopCapture.
void StartCapture();
// Stops catching and returns the statements caught.
std::vector<std::string> StopCapture();

}  // namespace bench
