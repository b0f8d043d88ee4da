// Where a command's error was: the editor the reader was reading, or the x
// box, with the message itself unchanged.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "command_test_util.h"
#include "core/errors.h"

namespace quorvix {
namespace {

using testing_util::RunOf;
using testing_util::StateWith;

struct Raised {
    std::string Message;
    std::optional<ErrorPlace> Place;
};

Raised RunAndCatch(CalcState s, const char* step) {
    try {
        RunOf(step)(s);
    } catch (const CalcError& e) {
        return {e.what(), e.Place()};
    }
    ADD_FAILURE() << step << " raised nothing";
    return {};
}

constexpr ErrorPlace At(ErrorEditor editor, std::int32_t line, std::int32_t element) { return {editor, line, element}; }

TEST(ErrorPlaces, EachCommandNamesTheEditorItRead) {
    const CalcState bad = StateWith("1 2\n\n3 4", "1 2\n3 x");
    const Raised sum = RunAndCatch(bad, "A+B");
    EXPECT_EQ(sum.Message, "Could not parse real portion [<?>x]");
    EXPECT_EQ(sum.Place, At(ErrorEditor::B, 2, 2));
    // The commands that read B element by element, and the real-only reading.
    EXPECT_EQ(RunAndCatch(bad, "A./B").Place, At(ErrorEditor::B, 2, 2));
    EXPECT_EQ(RunAndCatch(bad, "A.*B").Place, At(ErrorEditor::B, 2, 2));
    EXPECT_EQ(RunAndCatch(StateWith("1 2\n\n3 1,5"), "Eig(A)").Place, At(ErrorEditor::A, 3, 2));
    EXPECT_EQ(RunAndCatch(StateWith("\n1 2(z)"), "A").Place, At(ErrorEditor::A, 2, 2));
}

TEST(ErrorPlaces, TheXBox) {
    EXPECT_EQ(RunAndCatch(StateWith("1", "", "q"), "A*x").Place, At(ErrorEditor::X, 0, 0));
    EXPECT_EQ(RunAndCatch(StateWith("1", "1", "2+3i"), "B^x").Place, At(ErrorEditor::X, 0, 0));
    // An exponent beyond 64 bits is x's fault too.
    EXPECT_EQ(RunAndCatch(StateWith("1", "", "1e30"), "A^x").Place, At(ErrorEditor::X, 0, 0));
}

TEST(ErrorPlaces, AFaultOfTheArithmeticHasNoPlace) {
    const Raised product = RunAndCatch(StateWith("1e200", "1e200"), "A.*B");
    EXPECT_EQ(product.Message, "Floating point overflow");
    EXPECT_EQ(product.Place, std::nullopt);
}

}  // namespace
}  // namespace quorvix
