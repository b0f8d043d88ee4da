#include "commands/result_choice.h"

#include <algorithm>
#include <utility>
#include <variant>

#include "core/errors.h"

namespace quorvix {

namespace {

// An eigenvector result: the eigenvalues D (diagonal) and the eigenvectors V.
const FactorListResult* EigenvectorResult(const CommandResult& result) {
    const auto* list = std::get_if<FactorListResult>(&result);
    if (list == nullptr || list->Factors.size() != 2) return nullptr;
    if (list->Factors[0].Name != "D" || list->Factors[1].Name != "V") return nullptr;
    return list;
}

// D's diagonal as one column, as printed (elements a short D lacks are 0).
RCOMat DiagonalColumn(const RCOMat& d) {
    RCOMat column;
    const std::int32_t n = std::min(ResultRows(d), ResultCols(d));
    for (std::int32_t k = 0; k < n; ++k) column.push_back(RCOVec{ElementOrEmpty(d, k, k)});
    return column;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

const KeptResult& ChooseKeptResult(const CalcState& s, std::optional<std::size_t> number) {
    if (s.Kept.empty()) throw CalcError(kNoResultMessage);
    if (!number) return s.Kept.back();
    if (*number < 1 || *number > s.Kept.size()) {
        const std::string kept = s.Kept.size() == 1 ? "result 1" : "results 1 to " + std::to_string(s.Kept.size());
        throw CalcError("There is no result " + std::to_string(*number) + " to use: the panel keeps " + kept);
    }
    return s.Kept[*number - 1];
}

std::vector<std::string> ChoosableNames(const CommandResult& result) {
    std::vector<std::string> names = FactorNames(result);
    if (std::holds_alternative<EigenResult>(result)) names.emplace_back("values");
    if (EigenvectorResult(result) != nullptr) {
        names.emplace_back("values");
        names.emplace_back("vectors");
    }
    return names;
}

std::string JoinedNames(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (k > 0) text += k + 1 == names.size() ? " and " : ", ";
        text += names[k];
    }
    return text;
}

std::string NameOneMessage(const KeptResult& kept) {
    return "The result " + Quoted(kept.Label) + " has factors " + JoinedNames(FactorNames(kept.Value)) + ": name one";
}

ResultMatrix ChooseResultMatrix(const KeptResult& kept, std::string_view name) {
    if (const FactorListResult* eigen = EigenvectorResult(kept.Value)) {
        if (name == "values") return {"values", DiagonalColumn(eigen->Factors[0].Matrix)};
        if (name == "vectors") return {"vectors", FindResultMatrix(kept.Value, "V")->Matrix};
    }
    if (std::optional<ResultMatrix> m = FindResultMatrix(kept.Value, name)) return std::move(*m);
    if (name.empty()) throw CalcError(NameOneMessage(kept));
    throw CalcError("The result " + Quoted(kept.Label) + " has no factor " + Quoted(name));
}

std::vector<ResultMatrix> ChooseResultMatrices(const KeptResult& kept, std::string_view name) {
    if (name.empty()) return ResultMatrices(kept.Value);
    return {ChooseResultMatrix(kept, name)};
}

}  // namespace quorvix
