#include "canvas/runtime_error.h"

namespace kelvora {

const char* RuntimeError::standardText(ErrorNumber number)
{
    switch (number) {
    case ErrorNumber::InvalidProcedureCall: return "Invalid procedure call or argument";
    case ErrorNumber::Overflow: return "Overflow";
    case ErrorNumber::OutOfMemory: return "Out of memory";
    case ErrorNumber::SubscriptOutOfRange: return "Subscript out of range";
    case ErrorNumber::DivisionByZero: return "Division by zero";
    }
    return "Application-defined or object-defined error";
}

static std::string composeMessage(ErrorNumber number, const std::string& detail)
{
    std::string message = "Run-time error '" + std::to_string(static_cast<int>(number)) + "': "
        + RuntimeError::standardText(number);
    if (!detail.empty())
        message += " (" + detail + ")";
    return message;
}

RuntimeError::RuntimeError(ErrorNumber number)
    : RuntimeError(number, std::string())
{
}

RuntimeError::RuntimeError(ErrorNumber number, const std::string& detail)
    : std::runtime_error(composeMessage(number, detail))
    , number_(number)
{
}

}  // namespace kelvora
