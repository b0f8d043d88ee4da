// Fuzz target for the direct ways of reading and printing: each is held to
// the plain routine it stands in for (the reference copies of
// tests/textio/reference), bit for bit.
//
// Input: the first byte chooses the settings (precision 0 to 8 or "e", the
// decimal mark, the complex format); the remaining bytes are a token, read
// as an element of the complex reading and as a locale number. When there
// are at least 16 of them, their first 16 bytes are also the two parts of a
// complex element (as raw doubles), printed as an element of a result.
// A difference in the value, the text, or the error raised aborts.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <typeinfo>

#include "core/errors.h"
#include "fuzz/settings_byte.h"
#include "textio/element_parser.h"
#include "textio/element_reader.h"
#include "textio/locale_number.h"
#include "textio/number_format.h"
#include "textio/reference/textio_reference.h"

namespace {

using namespace quorvix;

[[noreturn]] void Fail(const char* what, std::string_view text, const std::string& fast, const std::string& plain) {
    std::fprintf(stderr, "fast_paths_fuzz: %s\n  input: [", what);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fprintf(stderr, "]\n  direct: [%s]\n  plain:  [%s]\n", fast.c_str(), plain.c_str());
    std::abort();
}

// What a call gave: its result as text, or the error's type and message.
template <typename Call>
std::string Outcome(Call&& call) {
    try {
        return call();
    } catch (const CalcError& e) {
        return std::string(typeid(e).name()) + ": " + e.what();
    }
}

std::string Bits(const Scalar& v) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "%d %a %a", static_cast<int>(v.Kind()), RealPart(v), ImagPart(v));
    return buf;
}

std::string Bits(long double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%La", v);
    return buf;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const OutputSettings settings = fuzz::SettingsFromByte(data[0]);
    const std::string_view token(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::string fast = Outcome([&] { return Bits(ComplexElement(token, settings)); });
    const std::string plain =
        Outcome([&] { return Bits(reference::ComplexFromText(reference::NormalizeToken(token, settings))); });
    if (fast != plain) Fail("element", token, fast, plain);

    const std::string fastNumber = Outcome([&] { return Bits(LocaleToExtended(token, settings.DecimalMark)); });
    const std::string plainNumber =
        Outcome([&] { return Bits(reference::LocaleToExtended(token, settings.DecimalMark)); });
    if (fastNumber != plainNumber) Fail("locale number", token, fastNumber, plainNumber);

    if (token.size() >= 16) {
        double re = 0.0, im = 0.0;
        std::memcpy(&re, token.data(), sizeof re);
        std::memcpy(&im, token.data() + 8, sizeof im);
        if (!std::isfinite(re) || !std::isfinite(im)) return 0;
        const Scalar v = Scalar::Complex(re, im);
        const ElementPrinter printer(settings);
        for (bool realOnly : {false, true}) {
            const std::string fastText = Outcome([&] {
                std::string row;
                printer.AppendField(row, v, realOnly);
                return row;
            });
            const std::string plainText = Outcome([&] {
                std::string text =
                    realOnly ? reference::RealElementText(v, settings) : reference::ElementText(v, settings);
                if (text.size() < 10) text.insert(0, 10 - text.size(), ' ');
                return text;
            });
            if (fastText != plainText) Fail("element text", token, fastText, plainText);
        }
    }
    return 0;
}
