#pragma once
// Errors that stop a command. Each carries the exact text the user is shown;
// the window adds the final period when it puts the text in its error box.
#include <stdexcept>
#include <string>

namespace quorvix {

class CalcError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The element parser's refusal ("Could not parse real portion [<?>abc]").
class ComplexParseError : public CalcError {
public:
    using CalcError::CalcError;
};

// A text that the locale number conversion or the integer conversion refuses
// ("'x' is not a valid floating point value").
class ConversionError : public CalcError {
public:
    using CalcError::CalcError;
};

// A floating-point fault or an undefined operation on a value
// ("Floating point overflow", "Division by zero", "Invalid variant operation").
class ArithmeticError : public CalcError {
public:
    using CalcError::CalcError;
};

// A project or result file that cannot be created, opened or read.
class FileError : public CalcError {
public:
    using CalcError::CalcError;
};

// The user cancelled a running command.
class CancelledError : public CalcError {
public:
    using CalcError::CalcError;
};

}  // namespace quorvix
