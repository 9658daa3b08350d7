#include "localization/IndexFile.h"

#include <QStringView>
#include <algorithm>

namespace zov {

bool IsCatalogueKey(const QString& key) {
    return !key.isEmpty() && key.size() <= kMaxKeyLength && key.trimmed().size() == key.size() &&
           QStringView(key).isValidUtf16() &&
           std::none_of(key.begin(), key.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control; }) &&
           !key.contains(QLatin1Char('=')) && !key.startsWith(QLatin1Char('[')) &&
           !key.startsWith(QLatin1Char(';'));
}

TIndexFile TIndexFile::Parse(const TDecodedText& content) {
    TIndexFile index;
    index.Encoding = content.Encoding;
    const QString& text = content.Text;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\n') &&
               text[end] != QLatin1Char('\r')) {
            ++end;
        }
        const QString key = QStringView(text).mid(start, end - start).trimmed().toString();
        if (IsCatalogueKey(key)) {
            index.Keys.append(key);
        }
        start = end + 1;
    }
    return index;
}

QByteArray TIndexFile::Bytes() const {
    QString text;
    for (const QString& key : Keys) {
        text += key;
        text += QLatin1String("\r\n");
    }
    return EncodeText(text, CanEncode(text, Encoding) ? Encoding : teUtf8);
}

} // namespace zov
