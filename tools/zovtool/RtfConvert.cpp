#include "RtfConvert.h"

#include "RtfJson.h"
#include "platform/types/Exceptions.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace zov {
namespace {

constexpr double kPageWidthMm = 160;
constexpr double kPageHeightMm = 240;
constexpr double kScreenDpi = 96;
constexpr int kMaxImageHeight = 32000;

QByteArray PlainText(const QTextDocument& document) {
    QString text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line = block.text();
        line.replace(QChar::LineSeparator, u'\n');
        line.remove(QChar::ObjectReplacementCharacter);
        text += line + u'\n';
    }
    return text.toUtf8();
}

// The document laid out 16 cm wide at 96 dpi, on white.
QImage Rendered(QTextDocument& document) {
    const double width = std::round(kPageWidthMm / 25.4 * kScreenDpi);
    document.setTextWidth(width);
    const int height = std::clamp(static_cast<int>(document.size().height()), 1, kMaxImageHeight);
    QImage image(static_cast<int>(width), height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    document.drawContents(&painter, QRectF(0, 0, width, height));
    painter.end();
    return image;
}

void WritePdf(QTextDocument& document, QIODevice& device) {
    QPdfWriter writer(&device);
    writer.setResolution(static_cast<int>(kScreenDpi));
    writer.setPageSize(QPageSize(QSizeF(kPageWidthMm, kPageHeightMm), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    document.print(&writer);
}

} // namespace

void ConvertRtf(const QString& inName, const QString& outName) {
    QFile in(inName);
    if (!in.open(QIODevice::ReadOnly)) {
        throw EFOpenError(Exception::Format(SFOpenErrorEx, {inName, in.errorString()}));
    }
    const QByteArray rtf = in.readAll();
    QTextDocument document;
    if (ReadRtf(rtf, document) == rrNotRtf) {
        throw EReadError(QStringLiteral("\"%1\" is not an RTF document").arg(inName));
    }
    const QString extension = QFileInfo(outName).suffix().toLower();
    QSaveFile out(outName);
    const auto open = [&] {
        if (!out.open(QIODevice::WriteOnly)) {
            throw EFCreateError(Exception::Format(SFCreateErrorEx, {outName, out.errorString()}));
        }
    };
    if (extension == QLatin1String("txt")) {
        open();
        out.write(PlainText(document));
    } else if (extension == QLatin1String("html")) {
        open();
        out.write(document.toHtml().toUtf8());
    } else if (extension == QLatin1String("rtf")) {
        open();
        out.write(WriteRtf(document));
    } else if (extension == QLatin1String("json")) {
        open();
        out.write(QJsonDocument(RtfStructure(document)).toJson());
    } else if (extension == QLatin1String("png")) {
        open();
        if (!Rendered(document).save(&out, "PNG")) {
            throw EFCreateError(Exception::Format(
                SFCreateErrorEx, {outName, QStringLiteral("The picture could not be encoded.")}));
        }
    } else if (extension == QLatin1String("pdf")) {
        open();
        WritePdf(document, out);
    } else {
        throw Exception(QStringLiteral("cannot convert to \"%1\": unknown format \"%2\" "
                                       "(use .txt, .html, .rtf, .pdf, .png or .json)")
                            .arg(outName, extension.isEmpty() ? QString() : "." + extension));
    }
    if (!out.commit()) {
        throw EFCreateError(Exception::Format(SFCreateErrorEx, {outName, out.errorString()}));
    }
}

} // namespace zov
