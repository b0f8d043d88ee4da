// Fuzz target for the text project reader. Besides not crashing, it checks:
// bytes the decoder accepts encode to the very same bytes; opening refused
// bytes changes nothing in the state; opening accepted bytes gives the state
// they hold, which saves to the same bytes again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "commands/calc_state.h"
#include "core/errors.h"
#include "files/qvx_codec.h"
#include "files/qvx_project.h"

namespace {

using namespace quorvix;

void Check(bool ok) {
    if (!ok) std::abort();
}

CalcState Start() {
    CalcState s = StartState('.');
    s.Panel.AddLine("A=");
    s.Kept.push_back({"A", MatrixResult{}});
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const QvxDecoded decoded = DecodeQvx(bytes);
    if (decoded.Project) Check(EncodeQvx(*decoded.Project) == bytes);
    if (decoded.NewerVersion != 0) Check(!decoded.Project && decoded.NewerVersion > kQvxVersion);

    CalcState s = Start();
    const std::string before = EncodeQvx(QvxFromState(s));
    try {
        OpenTextProjectBytes(s, bytes, "fuzz.qvx");
    } catch (const FileError&) {
        Check(!decoded.Project);
        Check(EncodeQvx(QvxFromState(s)) == before && s.Kept.size() == 1);
        return 0;
    }
    Check(decoded.Project.has_value());
    Check(EncodeQvx(QvxFromState(s)) == bytes);
    return 0;
}
