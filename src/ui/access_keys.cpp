#include "ui/access_keys.h"

namespace quorvix {

QString AccessKeys::Keyed(const QString& caption) {
    // "&&" is a written ampersand, not an access key.
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        used_ += caption[i + 1].toUpper();
        return caption;
    }
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i];
        if (!c.isLetterOrNumber() || used_.contains(c.toUpper())) continue;
        used_ += c.toUpper();
        QString keyed = caption;
        keyed.insert(i, QLatin1Char('&'));
        return keyed;
    }
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (used_.contains(QLatin1Char(digit))) continue;
        used_ += QLatin1Char(digit);
        return QStringLiteral("&") + QLatin1Char(digit) + QLatin1Char(' ') + caption;
    }
    return caption;
}

}  // namespace quorvix
