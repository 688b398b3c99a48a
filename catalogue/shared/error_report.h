#pragma once
// The report of an error a procedure did not expect.
#include <string>

namespace orvanta {

// Shows the error held by the error object: its number, ": " and its
// description, with an OK button, under the title "Unexpected error in "
// followed by `objectAndProcedure` ("modMain.Restore").
void ReportUnexpectedError(const std::string& objectAndProcedure);

}  // namespace orvanta
