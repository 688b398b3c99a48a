#include "error_report.h"

#include "err.h"
#include "msgbox.h"

namespace orvanta {

void ReportUnexpectedError(const std::string& objectAndProcedure) {
    const vb::ErrObject& err = vb::Err();
    forms::MsgBox(std::to_string(err.Number) + ": " + err.Description, forms::vbOKOnly,
                  "Unexpected error in " + objectAndProcedure);
}

}  // namespace orvanta
