#include "support/PdfText.h"

#include <QProcess>
#include <QStandardPaths>

namespace zov::test {

QString PdfText(const QString& pdf) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        return {};
    }
    QProcess process;
    process.start(pdftotext, {pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace zov::test
