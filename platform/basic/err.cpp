#include "err.h"

#include <map>

namespace vb {

namespace {
std::string composeWhat(int number, const std::string& description) {
    return "Run-time error '" + std::to_string(number) + "': " + description;
}
}  // namespace

VBError::VBError(int number, std::string description, std::string source)
    : number_(number),
      description_(description.empty() ? StandardErrorDescription(number) : std::move(description)),
      source_(std::move(source)),
      what_(composeWhat(number_, description_)) {}

std::string StandardErrorDescription(int number) {
    static const std::map<int, std::string> texts = {
        {3, "Return without GoSub"},
        {5, "Invalid procedure call or argument"},
        {6, "Overflow"},
        {7, "Out of memory"},
        {9, "Subscript out of range"},
        {10, "This array is fixed or temporarily locked"},
        {11, "Division by zero"},
        {13, "Type mismatch"},
        {14, "Out of string space"},
        {16, "Expression too complex"},
        {17, "Can't perform requested operation"},
        {18, "User interrupt occurred"},
        {20, "Resume without error"},
        {28, "Out of stack space"},
        {35, "Sub or Function not defined"},
        {47, "Too many DLL application clients"},
        {48, "Error in loading DLL"},
        {49, "Bad DLL calling convention"},
        {51, "Internal error"},
        {52, "Bad file name or number"},
        {53, "File not found"},
        {54, "Bad file mode"},
        {55, "File already open"},
        {57, "Device I/O error"},
        {58, "File already exists"},
        {59, "Bad record length"},
        {61, "Disk full"},
        {62, "Input past end of file"},
        {63, "Bad record number"},
        {67, "Too many files"},
        {68, "Device unavailable"},
        {70, "Permission denied"},
        {71, "Disk not ready"},
        {74, "Can't rename with different drive"},
        {75, "Path/File access error"},
        {76, "Path not found"},
        {91, "Object variable or With block variable not set"},
        {92, "For loop not initialized"},
        {93, "Invalid pattern string"},
        {94, "Invalid use of Null"},
        {321, "Invalid file format"},
        {322, "Can't create necessary temporary file"},
        {340, "Control array element does not exist"},
        {360, "Object already loaded"},
        {364, "Object was unloaded"},
        {380, "Invalid property value"},
        {381, "Invalid property array index"},
        {382, "Property cannot be set at run time"},
        {383, "Property is read-only"},
        {400, "Form already displayed; can't show modally"},
        {401, "Can't show non-modal form when modal form is displayed"},
        {402, "Must close or hide topmost modal form first"},
        {418, "Can't perform requested operation"},
        {422, "Property not found"},
        {423, "Property or method not found"},
        {424, "Object required"},
        {429, "ActiveX component can't create object"},
        {430, "Class does not support Automation or does not support expected interface"},
        {438, "Object doesn't support this property or method"},
        {440, "Automation error"},
        {445, "Object doesn't support this action"},
        {446, "Object doesn't support named arguments"},
        {448, "Named argument not found"},
        {449, "Argument not optional"},
        {450, "Wrong number of arguments or invalid property assignment"},
        {451, "Property let procedure not defined and property get procedure did not return an object"},
        {457, "This key is already associated with an element of this collection"},
        {458, "Variable uses an Automation type not supported"},
        {461, "Method or data member not found"},
        {462, "The remote server machine does not exist or is unavailable"},
        {463, "Class not registered on local machine"},
        {481, "Invalid picture"},
        {482, "Printer error"},
        {735, "Can't save file to TEMP"},
        {744, "Search text not found"},
        {746, "Replacements too long"},
    };
    auto it = texts.find(number);
    return it != texts.end() ? it->second : "Application-defined or object-defined error";
}

void ErrObject::Raise(int number, const std::string& source, const std::string& description) {
    if (number == 0) RaiseError(errors::InvalidProcedureCall);  // raising "no error" is an invalid call
    throw VBError(number, description, source);
}

void ErrObject::Clear() {
    Number = 0;
    Description.clear();
    Source.clear();
}

void ErrObject::Set(const VBError& e) {
    Number = e.number();
    Description = e.description();
    Source = e.source();
}

ErrObject& Err() {
    thread_local ErrObject err;
    return err;
}

void RaiseError(int number, const std::string& source) {
    throw VBError(number, {}, source);
}

bool ResumeNext(const std::function<void()>& statement) {
    try {
        statement();
        return true;
    } catch (const VBError& e) {
        Err().Set(e);
        return false;
    }
}

void OnErrorGoTo(const std::function<void()>& body, const std::function<void()>& handler) {
    try {
        body();
    } catch (const VBError& e) {
        Err().Set(e);
        handler();
    }
}

}  // namespace vb
