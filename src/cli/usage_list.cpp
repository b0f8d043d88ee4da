#include "cli/usage_list.h"

#include <string_view>

#include "commands/operation_table.h"

namespace quorvix {

namespace {

constexpr std::size_t kLineWidth = 76;

std::string Quoted(std::string_view word) {
    if (word.find_first_of(R"(\&|#'")") == std::string_view::npos) return std::string(word);
    return "\"" + std::string(word) + "\"";
}

}  // namespace

std::string MoreOperationStepList() {
    std::string text;
    std::string line = " ";
    for (const Operation& op : MoreOperations()) {
        const std::string word = Quoted(op.Step);
        if (line.size() + 1 + word.size() > kLineWidth) {
            text += line + "\n";
            line = " ";
        }
        line += " " + word;
    }
    if (line.size() > 1) text += line + "\n";
    return text;
}

}  // namespace quorvix
