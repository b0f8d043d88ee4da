#include "files/result_file.h"

#include "files/replacing_file.h"

namespace quorvix {

void SaveResult(const CalcState& s, const std::string& path) {
    ReplacingFile out(path);
    out.Write(s.Panel.Text("\r\n"));
    out.Commit();
}

}  // namespace quorvix
