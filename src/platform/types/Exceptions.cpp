#include "platform/types/Exceptions.h"

namespace zov {

Exception::Exception(QString message)
    : fMessage(std::move(message)), fUtf8(fMessage.toStdString()) {}

QString Exception::Format(const char* pattern, int value) {
    QString text = QString::fromUtf8(pattern);
    return text.replace(QLatin1String("%d"), QString::number(value));
}

QString Exception::Format(const char* pattern, std::initializer_list<QString> values) {
    QString text = QString::fromUtf8(pattern);
    qsizetype from = 0;
    for (const QString& value : values) {
        const qsizetype at = text.indexOf(QLatin1String("%s"), from);
        if (at < 0) {
            break;
        }
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

} // namespace zov
