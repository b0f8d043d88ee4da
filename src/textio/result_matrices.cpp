#include "textio/result_matrices.h"

#include <utility>

namespace quorvix {

namespace {

// `m` as a rows x cols block: what the panel prints, element by element.
RCOMat Shaped(const RCOMat& m, std::int32_t rows, std::int32_t cols, bool realOnly) {
    RCOMat out;
    SizeMatrix(out, rows, cols);
    for (std::int32_t i = 0; i < rows; ++i) {
        for (std::int32_t j = 0; j < cols; ++j) {
            const Scalar& v = ElementOrEmpty(m, i, j);
            out[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] =
                realOnly && !v.IsEmpty() ? Scalar::Real(ScalarToReal(v)) : v;
        }
    }
    return out;
}

struct Collect {
    std::vector<ResultMatrix>& out;

    void operator()(const MatrixResult& r) const {
        out.push_back({"", Shaped(r.Matrix, ResultRows(r.Matrix), ResultCols(r.Matrix), false)});
    }
    void operator()(const ScalarResult& r) const { out.push_back({"", RCOMat{RCOVec{r.Value}}}); }
    void operator()(const DimensionResult& r) const {
        out.push_back({"", RCOMat{RCOVec{Scalar::Real(r.Rows), Scalar::Real(r.Cols)}}});
    }
    void operator()(const FactorPairResult& r) const {
        out.push_back({r.FirstName, Shaped(r.First, r.Rows, r.Rows, false)});
        out.push_back({r.SecondName, Shaped(r.Second, r.Rows, r.Cols, r.SecondRealOnly)});
    }
    void operator()(const SvdResult& r) const {
        out.push_back({"U", Shaped(r.U, r.Rows, r.Rows, true)});
        out.push_back({"S", Shaped(r.S, r.Rows, r.Cols, true)});
        out.push_back({"V", Shaped(r.V, r.Cols, r.Cols, true)});
    }
    void operator()(const EigenResult& r) const {
        RCOMat values;
        for (std::int32_t k = FirstShownEigenvalue(r); k <= r.Order; ++k)
            values.push_back(RCOVec{Scalar::Complex(EigenPart(r.Re, k), EigenPart(r.Im, k))});
        out.push_back({"values", std::move(values)});
    }
    void operator()(const FactorListResult& r) const {
        for (const NamedFactor& f : r.Factors)
            out.push_back({f.Name, Shaped(f.Matrix, ResultRows(f.Matrix), ResultCols(f.Matrix), false)});
    }
};

}  // namespace

std::vector<ResultMatrix> ResultMatrices(const CommandResult& result) {
    std::vector<ResultMatrix> out;
    std::visit(Collect{out}, result);
    return out;
}

std::vector<std::string> FactorNames(const CommandResult& result) {
    std::vector<std::string> names;
    if (std::holds_alternative<MatrixResult>(result) || std::holds_alternative<ScalarResult>(result) ||
        std::holds_alternative<DimensionResult>(result) || std::holds_alternative<EigenResult>(result))
        return names;
    for (ResultMatrix& m : ResultMatrices(result)) names.push_back(std::move(m.Name));
    return names;
}

std::optional<ResultMatrix> FindResultMatrix(const CommandResult& result, std::string_view name) {
    std::vector<ResultMatrix> all = ResultMatrices(result);
    if (name.empty()) {
        if (all.size() != 1) return std::nullopt;
        return std::move(all.front());
    }
    for (ResultMatrix& m : all)
        if (m.Name == name) return std::move(m);
    return std::nullopt;
}

}  // namespace quorvix
