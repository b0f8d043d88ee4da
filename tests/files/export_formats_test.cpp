// The export texts as each program reads them: separators and marks, the
// complex forms, one line per factor, LaTeX as the panel shows the elements,
// Matrix Market column by column; the formats of one matrix refusing a
// result of several factors; the format by a file's extension.
#include "files/export_formats.h"

#include <gtest/gtest.h>

#include <string>

#include "core/errors.h"
#include "files/export_file.h"
#include "files/files_test_util.h"
#include "textio/output_settings.h"

namespace quorvix {
namespace {

RCOMat Rows(std::initializer_list<std::initializer_list<Scalar>> rows) {
    RCOMat m;
    for (const auto& row : rows) m.emplace_back(row);
    return m;
}

const KeptResult kPlain{
    "A",
    MatrixResult{Rows({{Scalar::Real(1), Scalar::Real(-2.5)}, {Scalar::Complex(0, -2), Scalar::Complex(1e-7, 0.1)}})}};
const KeptResult kLU{
    "LU(A)", FactorPairResult{.FirstName = "L",
                              .SecondName = "U",
                              .First = Rows({{Scalar::Real(1), Scalar()}, {Scalar::Real(3), Scalar::Real(1)}}),
                              .Second = Rows({{Scalar::Real(1), Scalar::Real(2)}, {Scalar(), Scalar::Real(-2)}}),
                              .Rows = 2,
                              .Cols = 2,
                              .SecondRealOnly = false}};

OutputSettings Settings(char mark = '.', const std::string& precision = "3",
                        ComplexFormat format = ComplexFormat::Rectangular) {
    OutputSettings s;
    s.DecimalMark = mark;
    PrecisionChange(precision, s);
    s.Format = format;
    return s;
}

struct TextRow {
    const char* name;
    const KeptResult* kept;
    const char* factor;
    ExportFormat format;
    OutputSettings settings;
    const char* text;
};

class ExportTexts : public ::testing::TestWithParam<TextRow> {};

TEST_P(ExportTexts, AreWhatTheProgramReads) {
    const TextRow& row = GetParam();
    EXPECT_EQ(ExportText(*row.kept, row.factor, row.format, row.settings), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ExportTexts,
    ::testing::Values(
        TextRow{"Tsv", &kPlain, "", ExportFormat::Tsv, Settings(), "1\t-2.5\n0-2i\t1e-07+0.1i\n"},
        TextRow{"TsvDecimalComma", &kPlain, "", ExportFormat::Tsv, Settings(','), "1\t-2,5\n0-2i\t1e-07+0,1i\n"},
        TextRow{"Csv", &kPlain, "", ExportFormat::Csv, Settings(), "1,-2.5\n0-2i,1e-07+0.1i\n"},
        TextRow{"CsvDecimalCommaSeparatesBySemicolons", &kPlain, "", ExportFormat::Csv, Settings(','),
                "1;-2,5\n0-2i;1e-07+0,1i\n"},
        TextRow{"CsvOfOneFactor", &kLU, "L", ExportFormat::Csv, Settings(), "1,0\n3,1\n"},
        TextRow{"OctaveKeepsBothPartsOfComplexNumbers", &kPlain, "", ExportFormat::Octave, Settings(','),
                "ans = [1 -2.5; 0-2i 1e-07+0.1i];\n"},
        TextRow{"OctaveOneLinePerFactor", &kLU, "", ExportFormat::Octave, Settings(),
                "L = [1 0; 3 1];\nU = [1 2; 0 -2];\n"},
        TextRow{"NumpyFloats", &kLU, "U", ExportFormat::Numpy, Settings(),
                "import numpy as np\nU = np.array([[1.0, 2.0], [0.0, -2.0]])\n"},
        TextRow{"NumpyComplex", &kPlain, "", ExportFormat::Numpy, Settings(),
                "import numpy as np\nans = np.array([[1.0, -2.5], [0.0-2.0j, 1e-07+0.1j]])\n"},
        TextRow{"LatexAsThePanelShows", &kPlain, "", ExportFormat::Latex, Settings(',', "2"),
                "\\begin{bmatrix} 1 & -2.5 \\\\ -2i & 0+0.1i \\end{bmatrix}\n"},
        TextRow{"LatexPolarWithNames", &kLU, "", ExportFormat::Latex, Settings('.', "3", ComplexFormat::Polar),
                "L = \\begin{bmatrix} 1 & 0 \\\\ 3 & 1 \\end{bmatrix}\n"
                "U = \\begin{bmatrix} 1 & 2 \\\\ 0 & -2 \\end{bmatrix}\n"},
        TextRow{"MatrixMarketColumnByColumn", &kLU, "U", ExportFormat::MatrixMarket, Settings(','),
                "%%MatrixMarket matrix array real general\n2 2\n1\n0\n2\n-2\n"},
        TextRow{"MatrixMarketComplex", &kPlain, "", ExportFormat::MatrixMarket, Settings(),
                "%%MatrixMarket matrix array complex general\n2 2\n1 0\n0 -2\n-2.5 0\n1e-07 0.1\n"},
        TextRow{"JsonOfTheResult", &kLU, "", ExportFormat::Json, Settings(),
                "{\"kind\": \"factors\", \"names\": [\"L\", \"U\"], \"factors\": [[[1, 0], [3, 1]], [[1, 2], [0, "
                "-2]]]}\n"},
        TextRow{"JsonOfAFactor", &kLU, "L", ExportFormat::Json, Settings(),
                "{\"kind\": \"matrix\", \"rows\": [[1, 0], [3, 1]]}\n"}),
    [](const ::testing::TestParamInfo<TextRow>& info) { return std::string(info.param.name); });

TEST(ExportFormats, FormatsOfOneMatrixNeedTheNameOfAFactor) {
    for (const ExportFormat f : {ExportFormat::Tsv, ExportFormat::Csv, ExportFormat::MatrixMarket}) {
        EXPECT_TRUE(HoldsOneMatrix(f));
        try {
            ExportText(kLU, "", f, Settings());
            ADD_FAILURE() << ExportFormatName(f);
        } catch (const CalcError& e) {
            EXPECT_STREQ(e.what(), "The result \"LU(A)\" has factors L and U: name one");
        }
    }
    EXPECT_THROW(ExportText(kLU, "Q", ExportFormat::Octave, Settings()), CalcError);
}

TEST(ExportFormats, NamesAndExtensions) {
    struct Case {
        const char* path;
        std::optional<ExportFormat> format;
    };
    for (const Case& c :
         {Case{"m.tsv", ExportFormat::Tsv}, Case{"dir.x/M.TXT", ExportFormat::Tsv}, Case{"m.csv", ExportFormat::Csv},
          Case{"m.m", ExportFormat::Octave}, Case{"m.py", ExportFormat::Numpy}, Case{"m.tex", ExportFormat::Latex},
          Case{"m.mtx", ExportFormat::MatrixMarket}, Case{"m.json", ExportFormat::Json}, Case{"m.xls", std::nullopt},
          Case{"dir.csv/m", std::nullopt}, Case{".csv", std::nullopt}})
        EXPECT_EQ(ExportFormatOfPath(c.path), c.format) << c.path;
    for (const char* name : {"tsv", "csv", "octave", "numpy", "latex", "mm", "json"})
        EXPECT_STREQ(ExportFormatName(*ExportFormatNamed(name)), name);
    EXPECT_FALSE(ExportFormatNamed("xls"));
}

class ExportFile : public testutil::ScratchFolder {};

TEST_F(ExportFile, WritesTheNewestResultAndRefusesAnUnknownExtension) {
    CalcState s = StartState('.');
    EXPECT_THROW(ExportResultFile(s, PathOf("m.csv"), ""), CalcError);
    s.Kept.push_back(kPlain);
    s.Kept.push_back(kLU);
    ExportResultFile(s, PathOf("u.csv"), "U");
    const testutil::Bytes bytes = testutil::ReadBytes(PathOf("u.csv"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "1,2\n0,-2\n");
    try {
        ExportResultFile(s, PathOf("m.xls"), "U");
        ADD_FAILURE();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("its name must end in .tsv, .txt, .csv"), std::string::npos) << e.what();
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"u.csv"}));
}

}  // namespace
}  // namespace quorvix
