#include "core/decimal_text.h"

#include <cstdlib>
#include <locale.h>

namespace quorvix {

namespace {

locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

}  // namespace

long double DecimalToExtended(const std::string& canonical) {
    return strtold_l(canonical.c_str(), nullptr, CLocale());
}

}  // namespace quorvix
