// The editor tool commands on the whole state: the complex-format switch,
// the context-menu conversions, the mark swaps with their notice, Align.
#include "commands/editor_tools.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/errors.h"
#include "textio/matrix_reader.h"

namespace quorvix {
namespace {

CalcState Fresh() {
    CalcState s;
    s.MatrixA = {"1+i 2", "3 -i"};
    s.MatrixB = {"-5 2i"};
    s.X = "1";
    s.Precision = "3";
    return s;
}

TEST(EditorTools, SwitchingToPolarAndBackRewritesXAAndB) {
    CalcState s = Fresh();
    s.X = "1+i";
    SetComplexFormat(s, ComplexFormat::Polar);
    EXPECT_EQ(s.Settings.Format, ComplexFormat::Polar);
    EXPECT_EQ(s.X, "1.414(45)");
    EXPECT_EQ(s.MatrixA, (EditorLines{"1.414(45)  2  ", "3  1(-90)  ", ""}));
    // A real token stays as typed, although a printed -5 would show as 5(180).
    EXPECT_EQ(s.MatrixB, (EditorLines{"-5  2(90)  ", ""}));

    SetComplexFormat(s, ComplexFormat::Rectangular);
    EXPECT_EQ(s.Settings.Format, ComplexFormat::Rectangular);
    // The rounded radius 1.414 no longer gives exactly 1.
    EXPECT_EQ(s.X, "1+1i");
    EXPECT_EQ(s.MatrixA, (EditorLines{"1+1i  2  ", "3  0-1i  ", ""}));
    EXPECT_EQ(s.MatrixB, (EditorLines{"-5  0+2i  ", ""}));
    EXPECT_TRUE(s.Panel.Lines().empty());
}

TEST(EditorTools, XWithoutTheOtherNotationStays) {
    CalcState s = Fresh();
    s.X = " 2.5 ";
    SetComplexFormat(s, ComplexFormat::Polar);
    EXPECT_EQ(s.X, " 2.5 ");
    s.X = "5(30)";
    SetComplexFormat(s, ComplexFormat::Rectangular);
    EXPECT_EQ(s.X, "4.33+2.5i");
}

TEST(EditorTools, AFailedSwitchKeepsWhatWasDoneBeforeIt) {
    CalcState s = Fresh();
    s.X = "1+i";
    s.MatrixB = {"1 2+i", "3x+i"};
    EXPECT_THROW(SetComplexFormat(s, ComplexFormat::Polar), ComplexParseError);
    EXPECT_EQ(s.Settings.Format, ComplexFormat::Polar);
    EXPECT_EQ(s.X, "1.414(45)");
    EXPECT_EQ(s.MatrixA, (EditorLines{"1.414(45)  2  ", "3  1(-90)  ", ""}));
    EXPECT_EQ(s.MatrixB, (EditorLines{"1 2+i", "3x+i"}));
}

TEST(EditorTools, RaggedEditorsWarnOncePerEditor) {
    CalcState s = Fresh();
    s.MatrixA = {"1 2", "3"};
    s.MatrixB = {"1", "2 3"};
    SetComplexFormat(s, ComplexFormat::Polar);
    EXPECT_EQ(s.Panel.Lines(), (std::vector<std::string>{kIncompleteWarning, kIncompleteWarning}));
}

TEST(EditorTools, PolarToRectFollowsTheChosenFormat) {
    CalcState s = Fresh();
    s.MatrixA = {"5(30) 1"};
    s.MatrixB = {"2(90)"};
    PolarToRect(s, Operand::A);
    EXPECT_EQ(s.MatrixA, (EditorLines{"4.33+2.5i  1  ", ""}));
    EXPECT_EQ(s.MatrixB, (EditorLines{"2(90)"}));
    PolarToRect(s, Operand::B);
    EXPECT_EQ(s.MatrixB, (EditorLines{"0+2i  ", ""}));

    // With "polar" chosen the token is rebuilt in polar form, rounded.
    s.Settings.Format = ComplexFormat::Polar;
    s.MatrixA = {"5(30)"};
    PolarToRect(s, Operand::A);
    EXPECT_EQ(s.MatrixA, (EditorLines{"5(30.001)  ", ""}));
}

TEST(EditorTools, RectToPolarOnlyConvertsWithThePolarFormat) {
    CalcState s = Fresh();
    RectToPolar(s, Operand::A);
    EXPECT_EQ(s.MatrixA, (EditorLines{"1+i  2  ", "3  -i  ", ""}));
    s.Settings.Format = ComplexFormat::Polar;
    RectToPolar(s, Operand::B);
    EXPECT_EQ(s.MatrixB, (EditorLines{"-5  2(90)  ", ""}));
    EXPECT_EQ(s.MatrixA, (EditorLines{"1+i  2  ", "3  -i  ", ""}));
}

TEST(EditorTools, AFailedConversionKeepsTheEditor) {
    CalcState s = Fresh();
    s.MatrixA = {"5(30)", "a(1)"};
    EXPECT_THROW(PolarToRect(s, Operand::A), ConversionError);
    EXPECT_EQ(s.MatrixA, (EditorLines{"5(30)", "a(1)"}));
}

// The tools say where the token they could not convert was, like the commands.
TEST(EditorTools, AFailedConversionSaysWhere) {
    auto placeOf = [](CalcState s, auto tool) -> std::optional<ErrorPlace> {
        try {
            tool(s);
        } catch (const CalcError& e) {
            return e.Place();
        }
        return std::nullopt;
    };
    CalcState s = Fresh();
    s.MatrixB = {"1", "", "2 3(b)"};
    EXPECT_EQ(placeOf(s, [](CalcState& t) { PolarToRect(t, Operand::B); }), (ErrorPlace{ErrorEditor::B, 3, 2}));
    s.X = "2x+i";
    EXPECT_EQ(placeOf(s, [](CalcState& t) { SetComplexFormat(t, ComplexFormat::Polar); }),
              (ErrorPlace{ErrorEditor::X, 0, 0}));
}

TEST(EditorTools, MarkSwapsReplaceEveryMarkAndAlwaysNotify) {
    CalcState s = Fresh();
    s.Panel.AddLine("A=");
    s.Panel.AddLine("        1.5      2.25");
    PanelCommaToDot(s);
    EXPECT_EQ(s.Panel.Lines()[1], "        1.5      2.25");
    EXPECT_EQ(s.Notices, (std::vector<std::string>{"Successed!"}));
    PanelDotToComma(s);
    EXPECT_EQ(s.Panel.Lines(), (std::vector<std::string>{"A=", "        1,5      2,25"}));
    EXPECT_EQ(s.Notices, (std::vector<std::string>{"Successed!", "Successed!"}));
    EXPECT_EQ(s.MatrixA, Fresh().MatrixA);
}

TEST(EditorTools, AlignWorksOnEachOfTheThreeEditors) {
    CalcState s = Fresh();
    s.MatrixA = {"1 -2.5", "10 3"};
    s.MatrixB = {"", "7 8", ""};
    s.Panel.AddLine("A=");
    s.Panel.AddLine("");
    s.Panel.AddLine("          1          2");
    AlignEditor(s, Editor::MatrixA);
    EXPECT_EQ(s.MatrixA, (EditorLines{"1     -2.5  ", "10    3     "}));
    AlignEditor(s, Editor::MatrixB);
    EXPECT_EQ(s.MatrixB, (EditorLines{"7  8  "}));
    AlignEditor(s, Editor::Result);
    EXPECT_EQ(s.Panel.Lines(), (std::vector<std::string>{"A=  ", "1   2   "}));
}

}  // namespace
}  // namespace quorvix
