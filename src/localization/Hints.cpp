#include "localization/Hints.h"

namespace zov {
namespace {

qsizetype SeparatorOf(const QString& hint) {
    for (qsizetype i = 0; i < hint.size(); ++i) {
        if (hint[i] == QLatin1Char('|') || hint[i] == QLatin1Char('\n')) {
            return i;
        }
    }
    return -1;
}

} // namespace

QString ShortHint(const QString& hint) {
    const qsizetype at = SeparatorOf(hint);
    return at < 0 ? hint : hint.left(at);
}

QString LongHint(const QString& hint) {
    const qsizetype at = SeparatorOf(hint);
    return at < 0 ? hint : hint.mid(at + 1);
}

} // namespace zov
