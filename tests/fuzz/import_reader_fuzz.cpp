// Fuzz target for the import reader, every form: the first byte chooses the
// settings (precision, decimal mark, complex format), the rest is the text.
// Besides not crashing or hanging, it checks: a refused text leaves the
// editor and everything else as they were; an accepted one gives a
// rectangular matrix within the limit, written into the editor with one line
// per row that the editors' own reading gives back as the same values.
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "commands/calc_state.h"
#include "commands/command_frame.h"
#include "core/errors.h"
#include "files/import_file.h"
#include "files/import_formats.h"
#include "settings_byte.h"
#include "textio/matrix_reader.h"

namespace {

using namespace quorvix;

void Check(bool ok) {
    if (!ok) std::abort();
}

// Small enough that a size line asking for the limit stays quick.
constexpr ImportLimits kLimits{4096};

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const OutputSettings settings = fuzz::SettingsFromByte(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    CalcState s = StartState(settings.DecimalMark);
    s.Settings = settings;
    s.Panel.AddLine("A=");
    const CalcState before = s;
    RCOMat m;
    try {
        m = ReadImportText(text, "fuzz", settings, kLimits);
    } catch (const FileError&) {
        try {
            ImportTextIntoEditor(s, Operand::B, text, "fuzz", kLimits);
            std::abort();  // the same text must be refused again
        } catch (const FileError&) {}
        Check(s.MatrixA == before.MatrixA && s.MatrixB == before.MatrixB && s.Panel.Lines() == before.Panel.Lines());
        return 0;
    }
    std::size_t elements = 0;
    for (const RCOVec& row : m) {
        Check(row.size() == m.front().size());
        elements += row.size();
    }
    Check(elements <= kLimits.MaxElements);

    ImportTextIntoEditor(s, Operand::B, text, "fuzz", kLimits);
    Check(s.MatrixA == before.MatrixA && s.Panel.Lines() == before.Panel.Lines());
    Check(s.MatrixB.size() == m.size());
    if (m.empty()) return 0;
    const auto rows = static_cast<std::int32_t>(m.size());
    const auto cols = static_cast<std::int32_t>(m.front().size());
    Check(CountRows(s.MatrixB) == rows && CountColumns(s.MatrixB) == (ColumnCount{cols, false}));
    RCOMat back;
    SizeMatrix(back, rows, cols);
    ReadMatrix(s.MatrixB, rows, cols, back, settings);
    for (std::int32_t i = 0; i < rows; ++i) {
        for (std::int32_t j = 0; j < cols; ++j) {
            const Scalar& v = m[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
            const Scalar& w = back[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
            Check(SameBits(RealPart(w), FlushToZero(RealPart(v))) && SameBits(ImagPart(w), FlushToZero(ImagPart(v))));
        }
    }
    return 0;
}
