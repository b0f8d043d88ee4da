#pragma once
// Errors that stop a command. Each carries the exact text the user is shown;
// the window adds the final period when it puts the text in its error box.
// An error that a piece of typed text caused also says where that text was
// (see ErrorPlace); the message itself never says it.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace quorvix {

// The input field whose text caused an error.
enum class ErrorEditor : std::uint8_t { None, A, B, X };

// Where the text of an error was: an element of Matrix A or Matrix B, its line
// counted from 1 as the editor shows its lines (blank ones included) and the
// element counted from 1 within that line; or the x box (line and element 0).
struct ErrorPlace {
    ErrorEditor Editor = ErrorEditor::None;
    std::int32_t Line = 0;
    std::int32_t Element = 0;
    bool operator==(const ErrorPlace&) const = default;
};

class CalcError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // The place, once both the reader (line, element) and the command (which
    // editor) have said it, or the command has said "the x box"; nothing for
    // an error that no typed text caused.
    std::optional<ErrorPlace> Place() const {
        if (place_.Editor == ErrorEditor::None) return std::nullopt;
        return place_;
    }
    // The reader: the element being converted. The innermost reader wins.
    void SetElement(std::int32_t line, std::int32_t element) {
        if (place_.Line != 0 || place_.Editor != ErrorEditor::None) return;
        place_.Line = line;
        place_.Element = element;
    }
    // The command: the editor its reader was reading. Only an error that a
    // reader placed on an element gets an editor.
    void SetEditor(ErrorEditor editor) {
        if (place_.Line != 0 && place_.Editor == ErrorEditor::None) place_.Editor = editor;
    }
    // The command: the error came from converting the x box's text.
    void SetInXBox() {
        if (place_.Editor == ErrorEditor::None && place_.Line == 0) place_.Editor = ErrorEditor::X;
    }

private:
    ErrorPlace place_;
};

// Runs `convert`, the conversion of one element's text; a CalcError it
// raises is marked with that element's place (line and element, both
// counted from 1). Errors of what the caller then does with the value are
// not the text's and stay unmarked.
template <typename Convert>
auto ConvertElementAt(std::int32_t line, std::int32_t element, Convert&& convert) -> decltype(convert()) {
    try {
        return convert();
    } catch (CalcError& e) {
        e.SetElement(line, element);
        throw;
    }
}

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
