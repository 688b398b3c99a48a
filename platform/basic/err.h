#pragma once
// Numbered run-time errors, carried as a C++ exception, and the Err object
// that error handlers read.
#include <exception>
#include <functional>
#include <string>

#include "error_numbers.h"

namespace vb {

// A run-time error in flight. Number, description and source as the error
// object reports them.
class VBError : public std::exception {
public:
    VBError(int number, std::string description = {}, std::string source = {});
    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const std::string& source() const noexcept { return source_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int number_;
    std::string description_;
    std::string source_;
    std::string what_;
};

// The runtime's standard text for an error number ("Overflow" for 6,
// "Type mismatch" for 13, ...); "Application-defined or object-defined error"
// for numbers it does not know.
std::string StandardErrorDescription(int number);

// The error object: holds the last trapped error of the thread.
class ErrObject {
public:
    int Number = 0;
    std::string Description;
    std::string Source;

    // Throws a VBError. An empty description takes the standard text.
    [[noreturn]] void Raise(int number, const std::string& source = {},
                            const std::string& description = {});
    void Clear();
    // Stores a caught error, as the runtime does when it traps one.
    void Set(const VBError& e);
};

// One error object per thread, as in the runtime.
ErrObject& Err();

// Raises error `number` with its standard description.
[[noreturn]] void RaiseError(int number, const std::string& source = {});

// "On Error Resume Next" for one statement: runs it; a run-time error is
// stored in Err and execution goes on. Returns true when it ran cleanly.
// Write a block statement by statement:
//     ResumeNext([&] { a(); });
//     ResumeNext([&] { b(); });
bool ResumeNext(const std::function<void()>& statement);

// "On Error GoTo handler": runs body; a run-time error is stored in Err and
// handler runs instead of the rest of the body.
void OnErrorGoTo(const std::function<void()>& body,
                 const std::function<void()>& handler);

}  // namespace vb
