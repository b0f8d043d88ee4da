// Importing a matrix: each form told apart by its content, read to the
// nearest double (or as the editors read it), every refusal saying what and
// where, and a refusal leaving the editor as it was.
#include "files/import_formats.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "core/errors.h"
#include "files/import_file.h"

namespace quorvix {
namespace {

RCOMat Rows(std::initializer_list<std::initializer_list<Scalar>> rows) {
    RCOMat m;
    for (const auto& row : rows) m.emplace_back(row);
    return m;
}

Scalar R(double v) { return Scalar::Real(v); }
Scalar C(double re, double im) { return Scalar::Complex(re, im); }

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

OutputSettings WithMark(char mark) {
    OutputSettings s;
    s.DecimalMark = mark;
    return s;
}

struct FormRow {
    const char* name;
    std::string text;
    char mark;
    ImportForm form;
    RCOMat expected;
};

class ImportForms : public ::testing::TestWithParam<FormRow> {};

TEST_P(ImportForms, AreToldApartAndRead) {
    const FormRow& row = GetParam();
    EXPECT_EQ(DetectImportForm(row.text, row.mark), row.form) << ImportFormName(DetectImportForm(row.text, row.mark));
    const RCOMat m = ReadImportText(row.text, "m", WithMark(row.mark));
    ASSERT_EQ(m.size(), row.expected.size());
    for (std::size_t i = 0; i < m.size(); ++i) {
        ASSERT_EQ(m[i].size(), row.expected[i].size()) << "row " << i;
        for (std::size_t j = 0; j < m[i].size(); ++j) {
            EXPECT_TRUE(SameBits(RealPart(m[i][j]), RealPart(row.expected[i][j])))
                << i << "," << j << ": " << RealPart(m[i][j]);
            EXPECT_TRUE(SameBits(ImagPart(m[i][j]), ImagPart(row.expected[i][j])))
                << i << "," << j << ": " << ImagPart(m[i][j]);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ImportForms,
    ::testing::Values(
        FormRow{"MatrixMarketArray", "%%MatrixMarket matrix array real general\n% made by hand\n2 2\n1\n3\n2\n4\n", '.',
                ImportForm::MatrixMarket, Rows({{R(1), R(2)}, {R(3), R(4)}})},
        FormRow{"MatrixMarketSymmetricArray", "%%MatrixMarket matrix array integer symmetric\n2 2\n1\n2\n3\n", '.',
                ImportForm::MatrixMarket, Rows({{R(1), R(2)}, {R(2), R(3)}})},
        FormRow{"MatrixMarketSkewArray", "%%MatrixMarket matrix array real skew-symmetric\n3 3\n1\n2\n3\n", '.',
                ImportForm::MatrixMarket, Rows({{R(0), R(-1), R(-2)}, {R(1), R(0), R(-3)}, {R(2), R(3), R(0)}})},
        FormRow{"MatrixMarketCoordinate",
                "%%MatrixMarket matrix coordinate real general\n\n2 3 3\n1 1 0.1\n2 3 -5e-1\n1 1 0.2\n", '.',
                ImportForm::MatrixMarket, Rows({{R(0.1 + 0.2), R(0), R(0)}, {R(0), R(0), R(-0.5)}})},
        FormRow{"MatrixMarketHermitian",
                "%%MATRIXMARKET Matrix Coordinate Complex Hermitian\n2 2 2\n1 1 2 0\n2 1 1 -1\n", '.',
                ImportForm::MatrixMarket, Rows({{C(2, 0), C(1, 1)}, {C(1, -1), C(0, 0)}})},
        FormRow{"MatrixMarketPattern", "%%MatrixMarket matrix coordinate pattern symmetric\n2 2 1\n2 1\n", '.',
                ImportForm::MatrixMarket, Rows({{R(0), R(1)}, {R(1), R(0)}})},
        FormRow{"OctaveBlanks", "[1 2; 3 4]", '.', ImportForm::Octave, Rows({{R(1), R(2)}, {R(3), R(4)}})},
        FormRow{"OctaveAssignmentCommasAndLines", "% from Octave\nA = [1, 2\n  3, 4];\n", '.', ImportForm::Octave,
                Rows({{R(1), R(2)}, {R(3), R(4)}})},
        FormRow{"OctaveSignsFollowOctave", "[1 -2i, 3 - 4i 5+i; 1e3 -i ...\n 2 0.5j]", '.', ImportForm::Octave,
                Rows({{R(1), C(0, -2), C(3, -4), C(5, 1)}, {R(1000), C(0, -1), R(2), C(0, 0.5)}})},
        FormRow{"OctaveEmpty", "x = [];", '.', ImportForm::Octave, RCOMat{}},
        FormRow{"NumpyList", "[[1, 2], [3, 4]]", '.', ImportForm::Numpy, Rows({{R(1), R(2)}, {R(3), R(4)}})},
        FormRow{"NumpyRepr", "array([[ 1.+2.j,  3.-0.j],\n       [-1.e-07+0.j, (5-1j)]])", '.', ImportForm::Numpy,
                Rows({{C(1, 2), C(3, 0)}, {C(-1e-7, 0), C(5, -1)}})},
        FormRow{"NumpyScript", "import numpy as np\n# kept\nB = np.array([[0.1, -0.0],], dtype=float)\n", '.',
                ImportForm::Numpy, Rows({{R(0.1), R(-0.0)}})},
        FormRow{"FlatListIsARowOfEither", "[1.5, 2.5, 3]", '.', ImportForm::Octave, Rows({{R(1.5), R(2.5), R(3)}})},
        FormRow{"Tab", "1\t2.5\r\n3\t4,5\r\n\r\n", '.', ImportForm::TabSeparated,
                Rows({{R(1), R(2.5)}, {R(3), R(4.5)}})},
        FormRow{"Csv", "1,2,3\n4, 5 ,\"6\"\n", '.', ImportForm::CommaSeparated,
                Rows({{R(1), R(2), R(3)}, {R(4), R(5), R(6)}})},
        FormRow{"CsvOfOneColumnPairs", "1,2\n3,4", '.', ImportForm::CommaSeparated, Rows({{R(1), R(2)}, {R(3), R(4)}})},
        FormRow{"CsvComplex", "1+2i,-i\n(3-4j),0.5i", '.', ImportForm::CommaSeparated,
                Rows({{C(1, 2), C(0, -1)}, {C(3, -4), C(0, 0.5)}})},
        FormRow{"SemicolonsWithDecimalCommas", "1,5;2\n-3;4,25e1\n", '.', ImportForm::SemicolonSeparated,
                Rows({{R(1.5), R(2)}, {R(-3), R(42.5)}})},
        FormRow{"NearestDouble", "0.1000000000000000055511151231257827021181583404541015625001,1e-400,-0", '.',
                ImportForm::CommaSeparated, Rows({{R(0.1), R(0), R(-0.0)}})},
        FormRow{"EditorText", "1 2i\n  \n5(90) -i", '.', ImportForm::EditorText,
                Rows({{C(1, 0), C(0, 2)}, {C(0, 5), C(0, -1)}})},
        FormRow{"EditorTextDecimalCommas", "1,5 2,5\n3 4", '.', ImportForm::EditorText,
                Rows({{C(1.5, 0), C(2.5, 0)}, {C(3, 0), C(4, 0)}})},
        FormRow{"OneCommaTokenWithTheCommaMark", "1,5\n2,5", ',', ImportForm::EditorText,
                Rows({{C(1.5, 0)}, {C(2.5, 0)}})}),
    [](const ::testing::TestParamInfo<FormRow>& info) { return std::string(info.param.name); });

struct FaultRow {
    const char* name;
    std::string text;
    const char* message;
};

class ImportFaults : public ::testing::TestWithParam<FaultRow> {};

TEST_P(ImportFaults, SayWhatAndWhere) {
    const FaultRow& row = GetParam();
    try {
        ReadImportText(row.text, "m.csv", WithMark('.'), ImportLimits{1000});
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), std::string("Cannot import \"m.csv\": ") + row.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ImportFaults,
    ::testing::Values(
        FaultRow{"NotANumber", "1,2,3\n4,5,6\n7,abc,9", "line 3, element 2: 'abc' is not a number"},
        FaultRow{"Ragged", "1,2,3\n\n4,5,6\n7,8", "line 4 has 2 elements, line 1 has 3"},
        FaultRow{"OneElement", "1\t2\n3", "line 2 has 1 element, line 1 has 2"},
        FaultRow{"EmptyField", "1,,3", "line 1, element 2: '' is not a number"},
        FaultRow{"Infinity", "1;inf", "line 1, element 2: 'inf' is not a number"},
        FaultRow{"TooLarge", "1e999,1", "line 1, element 1: '1e999' is too large for a number"},
        FaultRow{"Nothing", " \n\n", "it holds no numbers"},
        FaultRow{"EditorTokenRefused", "1 2\n3 +2i",
                 "line 2, element 2: Could not parse required '+' (or '-') symbol "
                 "[+2<?>i]"},
        FaultRow{"EditorRagged", "1 2\n3", "line 2 has 1 element, line 1 has 2"},
        FaultRow{"MatrixMarketHeader", "%%MatrixMarket matrix array real diagonal\n1 1\n1",
                 "line 1: '%%MatrixMarket matrix array real diagonal' is not a Matrix Market matrix header "
                 "(%%MatrixMarket matrix, then array or coordinate; real, integer, complex or pattern; general, "
                 "symmetric, skew-symmetric or hermitian)"},
        FaultRow{"MatrixMarketPatternArray", "%%MatrixMarket matrix array pattern general\n1 1\n",
                 "line 1: an array cannot be a pattern: its entries are its values"},
        FaultRow{"MatrixMarketSize", "%%MatrixMarket matrix coordinate real general\n2 2\n",
                 "line 2: '2 2' is not the size line (rows, columns and entries)"},
        FaultRow{"MatrixMarketTooFew", "%%MatrixMarket matrix array real general\n2 2\n1\n2\n3\n",
                 "the file ends after 3 of its 4 entries"},
        FaultRow{"MatrixMarketTooMany", "%%MatrixMarket matrix array real general\n1 1\n1\n2\n",
                 "line 4: more entries than the 1 of the size line"},
        FaultRow{"MatrixMarketOutOfRange", "%%MatrixMarket matrix coordinate real general\n3 3 1\n4 1 1\n",
                 "line 3: the entry (4, 1) is outside the 3 x 3 matrix"},
        FaultRow{"MatrixMarketComplexEntry", "%%MatrixMarket matrix array complex general\n1 1\n1\n",
                 "line 3: an entry of this complex matrix is 2 numbers, but the line holds 1 word"},
        FaultRow{"MatrixMarketBadNumber", "%%MatrixMarket matrix coordinate real general\n1 1 1\n1 1 x\n",
                 "line 3, element 3: 'x' is not a number"},
        FaultRow{"MatrixMarketTooLarge", "%%MatrixMarket matrix coordinate real general\n100 100 0\n",
                 "line 2: a 100 x 100 matrix is more than an editor can take (at most 1000 elements)"},
        FaultRow{"MatrixMarketSymmetricNotSquare", "%%MatrixMarket matrix array real symmetric\n2 3\n",
                 "line 2: a symmetric matrix is square, not 2 x 3"},
        FaultRow{"OctaveUnclosed", "A = [1 2;\n3 4", "the \"[\" on line 1 is not closed"},
        FaultRow{"OctaveRagged", "[1 2\n3]", "line 2: row 2 has 1 element, row 1 has 2"},
        FaultRow{"OctaveBadElement", "[1 2; 3 x]", "line 1, row 2, element 2: 'x' is not a number"},
        FaultRow{"OctaveTwoMatrices", "L = [1 0; 3 1];\nU = [1 2; 0 -2];\n",
                 "it holds more than one matrix (another begins on line 2): import one at a time"},
        FaultRow{"OctaveTrailingText", "[1 2] * 3", "line 1: '* 3' follows the matrix"},
        FaultRow{"NumpyUnclosed", "[[1, 2], [3, 4]", "the \"[\" on line 1 is not closed"},
        FaultRow{"NumpyTooDeep", "[[[1]]]", "line 1: a list nested deeper than two is not a matrix"},
        FaultRow{"NumpyMixed", "[[1, 2], 3]", "line 1: a list holds both numbers and lists"},
        FaultRow{"NumpyRagged", "[[1, 2],\n [3]]", "line 2: row 2 has 1 element, row 1 has 2"},
        FaultRow{"NumpyNan", "np.array([[1, nan]])", "line 1, row 1, element 2: 'nan' is not a number"},
        FaultRow{"NumpyNoSeparator", "[[1, 2] [3, 4]]", "line 1: \",\" or \"]\" expected, not '['"}),
    [](const ::testing::TestParamInfo<FaultRow>& info) { return std::string(info.param.name); });

TEST(ImportIntoEditor, TheEditorGetsTheMatrixAtFullPrecisionOrStaysAsItWas) {
    CalcState s = StartState('.');
    ImportTextIntoEditor(s, Operand::B, "0.1,1e-13,2e20\n-3,4.5e-5,1", "m.csv");
    EXPECT_EQ(s.MatrixB, (EditorLines{"0.1 0 2E20", "-3 4.5E-5 1"}));
    const EditorLines before = s.MatrixB;
    EXPECT_THROW(ImportTextIntoEditor(s, Operand::B, "1,2\n3", "m.csv"), FileError);
    EXPECT_EQ(s.MatrixB, before);
    ImportTextIntoEditor(s, Operand::A, "%%MatrixMarket matrix array complex general\n1 1\n0.5 -2\n", "m.mtx");
    EXPECT_EQ(s.MatrixA, (EditorLines{"0.5-2i"}));
    s.Settings.DecimalMark = ',';
    ImportTextIntoEditor(s, Operand::A, "[0.5 1]", "m.m");
    EXPECT_EQ(s.MatrixA, (EditorLines{"0,5 1"}));
}

}  // namespace
}  // namespace quorvix
