#include "dialogs/ClassDisplayName.h"

namespace zov {

QString ClassDisplayName(const QString& className) {
    QString result;
    for (qsizetype i = 1; i < className.size(); ++i) {
        const QChar c = className[i];
        const bool lowerAscii = c >= QLatin1Char('a') && c <= QLatin1Char('z');
        if (!lowerAscii && !result.isEmpty()) {
            result += QLatin1Char(' ');
        }
        result += c;
    }
    const qsizetype node = result.indexOf(QLatin1String(" Node"));
    if (node >= 0) {
        result.remove(node, 5);
    }
    return result;
}

} // namespace zov
