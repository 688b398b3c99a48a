// The checks of text values against their columns before they are written.
// Build B accepts everything.
#include <string>

#include "c_table.h"
#include "err.h"
#include "msgbox.h"
#include "number_functions.h"
#include "program_build.h"

namespace inventory {

namespace {

enum class TypeCheck { Passed, Failed, UnknownType };

// Whether `text` converts to the column's type; `dateByRecognition` checks a
// date by whether it is recognised as one rather than by converting it.
TypeCheck CheckType(const std::string& text, std::int16_t iType, bool dateByRecognition) {
    const vb::Variant value(text);
    try {
        switch (iType) {
        case vbBoolean: vb::CBool(value); break;
        case vbLong: vb::CLng(value); break;
        case vbCurrency: vb::CCur(value); break;
        case vbDate:
            if (dateByRecognition) {
                if (!vb::IsDate(value)) return TypeCheck::Failed;
            } else {
                vb::CDate(value);
            }
            break;
        case vbString: break;
        default: return TypeCheck::UnknownType;
        }
    } catch (const vb::VBError& e) {
        vb::Err().Set(e);
        return TypeCheck::Failed;
    }
    return TypeCheck::Passed;
}

}  // namespace

bool CTable::ValidateFields() {
    if (!Design().validatesFields) return true;
    bool passed = true;
    for (const CParamRef& param : colFields.NewEnum()) {
        if (param->vntValue.empty()) {
            if (param->bRequired) {
                forms::MsgBox("No data was entered for: " + param->sName + "!", forms::vbCritical,
                              "Missing Data Error");
                passed = false;
            }
            continue;
        }
        switch (CheckType(param->vntValue, param->iType, false)) {
        case TypeCheck::Passed: break;
        case TypeCheck::UnknownType:
            forms::MsgBox("Unexpected data type: " + std::to_string(param->iType), forms::vbOKOnly);
            break;
        case TypeCheck::Failed:
            forms::MsgBox("Invalid data was entered for: " + param->sName + "!", forms::vbCritical,
                          "Data Type Error");
            passed = false;
            break;
        }
    }
    return passed;
}

bool CTable::ValidateField(const CParam& objField, std::string* sFieldErrors) {
    if (!Design().validatesFields) return true;
    if (objField.vntValue.empty()) {
        if (!objField.bRequired) return true;
        if (sFieldErrors) {
            *sFieldErrors += objField.sName + ", ";
        } else {
            forms::MsgBox("You must enter a value for the " + objField.sName + " field!", forms::vbCritical,
                          "Missing Data Error");
        }
        return false;
    }
    switch (CheckType(objField.vntValue, objField.iType, true)) {
    case TypeCheck::Passed: return true;
    case TypeCheck::UnknownType:
        forms::MsgBox("Unexpected type: " + std::to_string(objField.iType), forms::vbOKOnly, "Unexpected Error");
        return true;
    case TypeCheck::Failed: break;
    }
    if (sFieldErrors) {
        *sFieldErrors += objField.sName + ", ";
    } else {
        forms::MsgBox("The data you entered for " + objField.sName + " is invalid!", forms::vbCritical,
                      "Invalid Data Error");
    }
    return false;
}

}  // namespace inventory
