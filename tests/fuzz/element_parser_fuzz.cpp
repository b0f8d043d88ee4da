// Fuzz target for the element parser: one editor token rewritten by
// NormalizeToken and read by ComplexFromText, as every command reads its
// elements, and the raw bytes read by ComplexFromText alone.
//
// Input: the first byte chooses the settings the rewrite depends on (the
// precision, through which a polar element is rounded, and the locale's
// decimal mark); the remaining bytes are the token.
//
// Besides not crashing, it checks that the parse either gives a complex value
// with finite, flushed parts, or raises one of the calculator's own messages:
//   - a parse refusal "<reason> [<consumed><?><rest>]" whose two pieces put
//     back together are exactly the text that was parsed;
//   - "'<text>' is not a valid floating point value" for a bad radius or
//     angle, the text being a piece of the token;
//   - "Floating point overflow" (a number beyond the double range) or the
//     other two floating-point faults.
// Anything else (another exception type, another text) aborts.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/kernel/fpu.h"
#include "core/scalar.h"
#include "fuzz/settings_byte.h"
#include "textio/element_parser.h"
#include "textio/element_reader.h"
#include "textio/general_number.h"
#include "textio/matrix_reader.h"
#include "textio/output_settings.h"

namespace {

using namespace quorvix;

[[noreturn]] void Fail(const char* what, std::string_view text, std::string_view detail) {
    std::fprintf(stderr, "element_parser_fuzz: %s\n  text: [", what);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fprintf(stderr, "]\n  detail: [");
    std::fwrite(detail.data(), 1, detail.size(), stderr);
    std::fprintf(stderr, "]\n");
    std::abort();
}

constexpr std::string_view kParseReasons[] = {
    "Could not parse real portion",
    "Could not parse required '+' (or '-') symbol",
    "Could not parse imaginary portion",
    "Could not parse required 'i' symbol",
    "Unexpected characters",
};

// An error's text reaches the user as a C string: a NUL byte of the token
// ends it there. With such a token the message is compared as it arrives.
std::string_view AsShown(std::string_view full) { return full.substr(0, full.find('\0')); }

void CheckTruncatedParseMessage(std::string_view text, std::string_view message) {
    for (std::string_view reason : kParseReasons)
        for (std::size_t k = 0; k <= text.size(); ++k) {
            std::string full(reason);
            full += " [";
            full.append(text.substr(0, k));
            full += "<?>";
            full.append(text.substr(k));
            full += ']';
            if (AsShown(full) == message) return;
        }
    Fail("unknown parse message", text, message);
}

// "<reason> [<consumed><?><working>]" with consumed + working == text.
void CheckParseMessage(std::string_view text, std::string_view message) {
    if (text.find('\0') != std::string_view::npos) return CheckTruncatedParseMessage(text, message);
    for (std::string_view reason : kParseReasons) {
        if (!message.starts_with(reason)) continue;
        std::string_view rest = message.substr(reason.size());
        if (!rest.starts_with(" [") || !rest.ends_with("]")) Fail("parse message without its brackets", text, message);
        rest = rest.substr(2, rest.size() - 3);
        // The consumed part is a prefix of the text and cannot hold "<?>"
        // unless the text does; search from the length it must have.
        for (std::size_t k = 0; k <= text.size(); ++k) {
            if (rest.substr(0, k) != text.substr(0, k)) break;
            if (rest.substr(k, 3) == "<?>" && rest.substr(k + 3) == text.substr(k)) {
                // The real part fails before anything but blanks was consumed.
                if (reason == kParseReasons[0] && text.substr(0, k).find_first_not_of(' ') != std::string_view::npos)
                    Fail("real-portion refusal after consumed characters", text, message);
                return;
            }
        }
        Fail("parse message does not split the text", text, message);
    }
    Fail("unknown parse message", text, message);
}

void CheckConversionMessage(std::string_view token, std::string_view message) {
    constexpr std::string_view kTail = "' is not a valid floating point value";
    // Cut at a NUL of the quoted text, the message is the quote and a piece of the token.
    if (token.find('\0') != std::string_view::npos && message.starts_with("'") &&
        token.find(message.substr(1)) != std::string_view::npos)
        return;
    if (!message.starts_with("'") || !message.ends_with(kTail) || message.size() < 1 + kTail.size())
        Fail("unknown conversion message", token, message);
    const std::string_view quoted = message.substr(1, message.size() - 1 - kTail.size());
    if (token.find(quoted) == std::string_view::npos)
        Fail("conversion message names no piece of the token", token, message);
}

void CheckArithmeticMessage(std::string_view text, std::string_view message) {
    if (message != kOverflowMessage && message != kZeroDivideMessage && message != kInvalidOpMessage)
        Fail("unknown arithmetic message", text, message);
}

bool Flushed(double part) {
    return std::isfinite(part) && (part == 0.0 ? !std::signbit(part) : std::fabs(part) > 1e-12);
}

void CheckValue(std::string_view text, const Scalar& v) {
    if (!IsComplex(v)) Fail("parsed value is not complex", text, "");
    const double re = v.ComplexValue().Real();
    const double im = v.ComplexValue().Imaginary();
    if (!Flushed(re) || !Flushed(im)) Fail("parsed part is not finite or not flushed", text, ComplexToText(v));

    // The general text form reads back as the same value to 15 digits, unless
    // rounding to 15 digits pushed a part past the double range.
    const std::string general = ComplexToText(v);
    try {
        const Scalar again = ComplexFromText(general);
        const auto close = [](double a, double b) { return std::fabs(a - b) <= 1e-14 * std::fabs(a) + 1e-300; };
        if (!close(re, RealPart(again)) || !close(im, ImagPart(again)))
            Fail("general text form reads back as another value", text, general);
    } catch (const ArithmeticError& e) {
        if (std::string_view(e.what()) != kOverflowMessage ||
            std::fmax(std::fabs(re), std::fabs(im)) < 1.7976931348623e308)
            Fail("general text form cannot be read back", text, general);
    } catch (const ComplexParseError& e) {
        Fail("general text form is refused by the parser", text, e.what());
    }
}

// Parses `text`; `origin` is the token a conversion message may quote.
void ParseAndCheck(std::string_view text, std::string_view origin, const OutputSettings& settings, bool normalize) {
    std::string parsed(text);
    try {
        if (normalize) parsed = NormalizeToken(text, settings);
        CheckValue(parsed, ComplexFromText(parsed));
    } catch (const ComplexParseError& e) {
        CheckParseMessage(parsed, e.what());
    } catch (const ConversionError& e) {
        if (!normalize) Fail("conversion error from the parser itself", text, e.what());
        CheckConversionMessage(origin, e.what());
    } catch (const ArithmeticError& e) {
        CheckArithmeticMessage(parsed, e.what());
    } catch (const std::exception& e) {
        Fail("unexpected exception", text, e.what());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const OutputSettings settings = fuzz::SettingsFromByte(data[0]);

    const std::string_view token(reinterpret_cast<const char*>(data + 1), size - 1);
    ParseAndCheck(token, token, settings, true);
    ParseAndCheck(token, token, settings, false);
    return 0;
}
