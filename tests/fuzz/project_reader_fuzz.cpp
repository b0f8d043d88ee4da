// Fuzz target for the project file reader. Besides not crashing, it checks:
// a file the parser accepts re-encodes to the same size and the same values;
// opening a refused file changes nothing in the state; opening an accepted
// file rewrites exactly the editors whose stored matrix is not empty.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "commands/calc_state.h"
#include "core/errors.h"
#include "files/project_codec.h"
#include "files/project_file.h"

namespace {

using quorvix::CalcState;
using quorvix::ProjectData;
using quorvix::ProjectMatrix;

void Check(bool ok) {
    if (!ok) std::abort();
}

bool SameValue(long double a, long double b) { return a == b && std::signbit(a) == std::signbit(b); }

bool SameMatrix(const ProjectMatrix& a, const ProjectMatrix& b) {
    if (a.Rows != b.Rows || a.Cols != b.Cols || a.Elements.size() != b.Elements.size()) return false;
    for (std::size_t k = 0; k < a.Elements.size(); ++k)
        if (!SameValue(a.Elements[k], b.Elements[k])) return false;
    return true;
}

CalcState Start() {
    CalcState s;
    s.MatrixA = {"1 2", "3 4"};
    s.MatrixB = {"5"};
    s.X = "1";
    s.Precision = "3";
    s.Panel.AddLine("A=");
    return s;
}

bool SameState(const CalcState& a, const CalcState& b) {
    return a.MatrixA == b.MatrixA && a.MatrixB == b.MatrixB && a.X == b.X && a.Precision == b.Precision &&
           a.Settings.RoundingFactor == b.Settings.RoundingFactor && a.Panel.Lines() == b.Panel.Lines();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<ProjectData> parsed = quorvix::ParseProject(bytes);
    if (parsed) {
        Check(parsed->A.Rows >= 0 && parsed->A.Cols >= 0 && parsed->B.Rows >= 0 && parsed->B.Cols >= 0);
        const std::vector<std::uint8_t> again = quorvix::EncodeProject(*parsed);
        Check(again.size() == size);
        const std::optional<ProjectData> reparsed = quorvix::ParseProject(again);
        Check(reparsed.has_value());
        Check(SameValue(reparsed->X, parsed->X) && reparsed->Precision == parsed->Precision);
        Check(SameMatrix(reparsed->A, parsed->A) && SameMatrix(reparsed->B, parsed->B));
    }

    CalcState s = Start();
    const CalcState before = Start();
    try {
        quorvix::OpenProjectBytes(s, bytes, "fuzz.mtx");
    } catch (const quorvix::FileError&) {
        Check(!parsed);
        Check(SameState(s, before));
        return 0;
    } catch (const quorvix::CalcError&) {
        // A valid file whose x or precision the state cannot hold.
        Check(parsed.has_value());
        Check(SameState(s, before));
        return 0;
    }
    Check(parsed.has_value());
    Check(s.Precision == std::to_string(parsed->Precision));
    if (parsed->A.HasElements())
        Check(s.MatrixA.size() == static_cast<std::size_t>(parsed->A.Rows) + 1 && s.MatrixA.back().empty());
    else
        Check(s.MatrixA == before.MatrixA);
    if (parsed->B.HasElements())
        Check(s.MatrixB.size() == static_cast<std::size_t>(parsed->B.Rows) + 1 && s.MatrixB.back().empty());
    else
        Check(s.MatrixB == before.MatrixB);
    Check(s.Panel.Lines() == before.Panel.Lines());
    return 0;
}
