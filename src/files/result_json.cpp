// JSON numbers of a result. What it does not do: it never writes inf or nan
// as numbers (JSON has none; such a value is null, though results never hold
// one), and it writes one line without a line break.
#include "files/result_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <variant>
#include <vector>

namespace quorvix {

namespace {

void WriteElement(std::ostream& out, const Scalar& v, bool realOnly) {
    const double re = RealPart(v);
    const double im = realOnly ? 0.0 : ImagPart(v);
    if (im == 0) {
        out << ShortestNumber(re);
    } else {
        out << '[' << ShortestNumber(re) << ", " << ShortestNumber(im) << ']';
    }
}

// The rows x cols block as the panel prints it; elements it does not have are 0.
void WriteRows(std::ostream& out, const RCOMat& m, std::int32_t rows, std::int32_t cols, bool realOnly) {
    out << '[';
    for (std::int32_t i = 0; i < rows; ++i) {
        if (i) out << ", ";
        out << '[';
        for (std::int32_t j = 0; j < cols; ++j) {
            if (j) out << ", ";
            WriteElement(out, ElementOrEmpty(m, i, j), realOnly);
        }
        out << ']';
    }
    out << ']';
}

struct ValueWriter {
    std::ostream& out;

    void operator()(const MatrixResult& r) const {
        out << "{\"kind\": \"matrix\", \"rows\": ";
        WriteRows(out, r.Matrix, ResultRows(r.Matrix), ResultCols(r.Matrix), false);
        out << '}';
    }
    void operator()(const ScalarResult& r) const {
        out << "{\"kind\": \"scalar\", \"value\": ";
        WriteElement(out, r.Value, false);
        out << '}';
    }
    void operator()(const DimensionResult& r) const {
        out << "{\"kind\": \"dimension\", \"rows\": " << r.Rows << ", \"cols\": " << r.Cols << '}';
    }
    void operator()(const FactorPairResult& r) const {
        out << "{\"kind\": \"factors\", \"names\": [";
        WriteJsonString(out, r.FirstName);
        out << ", ";
        WriteJsonString(out, r.SecondName);
        out << "], \"factors\": [";
        WriteRows(out, r.First, r.Rows, r.Rows, false);
        out << ", ";
        WriteRows(out, r.Second, r.Rows, r.Cols, r.SecondRealOnly);
        out << "]}";
    }
    void operator()(const SvdResult& r) const {
        out << "{\"kind\": \"factors\", \"names\": [\"U\", \"S\", \"V\"], \"factors\": [";
        WriteRows(out, r.U, r.Rows, r.Rows, true);
        out << ", ";
        WriteRows(out, r.S, r.Rows, r.Cols, true);
        out << ", ";
        WriteRows(out, r.V, r.Cols, r.Cols, true);
        out << "]}";
    }
    void operator()(const FactorListResult& r) const {
        out << "{\"kind\": \"factors\", \"names\": [";
        for (std::size_t k = 0; k < r.Factors.size(); ++k) {
            if (k > 0) out << ", ";
            WriteJsonString(out, r.Factors[k].Name);
        }
        out << "], \"factors\": [";
        for (std::size_t k = 0; k < r.Factors.size(); ++k) {
            if (k > 0) out << ", ";
            const RCOMat& m = r.Factors[k].Matrix;
            WriteRows(out, m, ResultRows(m), ResultCols(m), false);
        }
        out << "]}";
    }
    void operator()(const EigenResult& r) const {
        // The eigenvalues the panel shows: the positions the iteration reached.
        out << "{\"kind\": \"eigenvalues\", \"values\": [";
        bool first = true;
        for (std::int32_t k = FirstShownEigenvalue(r); k <= r.Order; ++k) {
            const double re = EigenPart(r.Re, k);
            const double im = EigenPart(r.Im, k);
            if (!first) out << ", ";
            first = false;
            out << '[' << ShortestNumber(re) << ", " << ShortestNumber(im) << ']';
        }
        out << "]}";
    }
};

}  // namespace

std::string ShortestNumber(double v) {
    if (!std::isfinite(v)) return "null";
    char buf[32];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

void WriteJsonString(std::ostream& out, const std::string& s) {
    out << '"';
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '"' || c == '\\') {
            out << '\\' << static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out << buf;
        } else if (c < 0x80) {
            out << static_cast<char>(c);
        } else {
            std::size_t len = c >= 0xf0 && c < 0xf5 ? 4 : c >= 0xe0 ? 3 : c >= 0xc2 && c < 0xe0 ? 2 : 0;
            bool valid = len > 0 && i + len <= s.size();
            for (std::size_t k = 1; valid && k < len; ++k)
                valid = (static_cast<unsigned char>(s[i + k]) & 0xc0) == 0x80;
            if (valid) {
                out.write(s.data() + i, static_cast<std::streamsize>(len));
                i += len - 1;
            } else {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out << buf;
            }
        }
    }
    out << '"';
}

void WriteResultValue(std::ostream& out, const CommandResult* result) {
    if (result == nullptr) {
        out << "null";
        return;
    }
    std::visit(ValueWriter{out}, *result);
}

void WriteMatrixValue(std::ostream& out, const RCOMat& m) {
    out << "{\"kind\": \"matrix\", \"rows\": ";
    WriteRows(out, m, ResultRows(m), ResultCols(m), false);
    out << '}';
}

}  // namespace quorvix
