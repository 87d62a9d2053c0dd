#pragma once

#include <stdexcept>
#include <string>

namespace kelvora {

// Error numbers of the run-time errors the program can raise. A run-time
// error ends the program: the windows report it in a message box, the
// renderer on stderr.
enum class ErrorNumber : int {
    InvalidProcedureCall = 5,  // e.g. the logarithm of a non-positive number
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
};

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorNumber number);
    RuntimeError(ErrorNumber number, const std::string& detail);

    ErrorNumber number() const { return number_; }
    // The standard text for the error number, e.g. "Overflow".
    static const char* standardText(ErrorNumber number);

private:
    ErrorNumber number_;
};

}  // namespace kelvora
