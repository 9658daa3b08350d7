#include "RtfBuilders.h"

#include "RtfReader.h"
#include "platform/pictures/EmfWriter.h"

#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QtEndian>
#include <algorithm>
#include <memory>

namespace zov {
namespace {

constexpr int kDibHeaderSize = 40;
// A metafile's frame is kept in 32-bit hundredths of millimetres.
constexpr int kMaxMetafileSide = 1 << 20;

void AppendLE32(QByteArray& out, uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void AppendLE16(QByteArray& out, uint16_t value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

// The packed DIB: BITMAPINFOHEADER, then the rows from the bottom up in blue, green,
// red order, each padded to four bytes.
QByteArray PackedDib24(const QImage& source) {
    QImage image(source.size(), QImage::Format_RGB32);
    image.fill(Qt::white); // transparent parts show as the page they lie on
    QPainter painter(&image);
    painter.drawImage(0, 0, source);
    painter.end();
    const int width = image.width();
    const int height = image.height();
    const int stride = (width * 3 + 3) / 4 * 4;
    QByteArray dib;
    dib.reserve(kDibHeaderSize + qsizetype{stride} * height);
    AppendLE32(dib, kDibHeaderSize);
    AppendLE32(dib, static_cast<uint32_t>(width));
    AppendLE32(dib, static_cast<uint32_t>(height));
    AppendLE16(dib, 1);  // planes
    AppendLE16(dib, 24); // bits per pixel
    AppendLE32(dib, 0);  // BI_RGB
    AppendLE32(dib, static_cast<uint32_t>(stride * height));
    for (int i = 0; i < 4; ++i) {
        AppendLE32(dib, 0); // resolution and colour counts: not given
    }
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            dib.append(static_cast<char>(qBlue(line[x])));
            dib.append(static_cast<char>(qGreen(line[x])));
            dib.append(static_cast<char>(qRed(line[x])));
        }
        dib.append(stride - width * 3, '\0');
    }
    return dib;
}

} // namespace

QByteArray BitmapToRtf(const QImage& image) {
    if (image.isNull() || image.width() > kMaxRtfBitmapSide || image.height() > kMaxRtfBitmapSide) {
        return {};
    }
    return "{\\rtf1 {\\pict\\dibitmap " + PackedDib24(image).toHex().toUpper() + " }}";
}

QByteArray TableRtf(int rows, int columns, int32_t nodeWidth) {
    rows = std::max(rows, 1);
    columns = std::max(columns, 1);
    // In 64 bits: edges of wide nodes pass 32 bits.
    const int64_t width = int64_t{nodeWidth / columns} * 14 - 10;
    QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 "
        "Times New Roman;}{\\f1\\fnil MS Sans Serif;}}{\\colortbl ;\\red0\\green0\\blue0;"
        "\\red255\\green255\\blue255;\\red255\\green0\\blue0;}\\viewkind4\\uc1\\trowd\\trgaph100"
        "\\trql\\tcelld";
    for (int i = 1; i <= columns; ++i) {
        rtf += "\\cellx" + QByteArray::number(i * width) +
               "\\pard\\intbl\\cf1\\highlight1\\f0\\cb2\\fs24\\b";
    }
    for (int row = 0; row < rows; ++row) {
        rtf += "\\pard\\intbl\\qj\\highlight2";
        for (int column = 0; column < columns; ++column) {
            rtf += "\\cell";
        }
        rtf += "\\row";
    }
    return rtf + "\\par}";
}

bool InsertRtf(QTextCursor& cursor, const QByteArray& rtf) {
    QTextDocument part;
    if (ReadRtf(rtf, part) == rrNotRtf) {
        return false;
    }
    // The pictures go along as resources of the document they are inserted into.
    QTextDocument* target = cursor.document();
    for (QTextBlock block = part.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                const QUrl name(format.toImageFormat().name());
                target->addResource(QTextDocument::ImageResource, name,
                                    part.resource(QTextDocument::ImageResource, name));
            }
        }
    }
    cursor.insertFragment(QTextDocumentFragment(&part));
    return true;
}

QByteArray RenderToMetafile(const QTextDocument& document, QSize size) {
    size = size.boundedTo(QSize(kMaxMetafileSide, kMaxMetafileSide)).expandedTo(QSize(1, 1));
    const std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setTextWidth(size.width());
    TEmfDevice device(size.width(), size.height());
    QPainter painter(&device);
    copy->drawContents(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return device.Bytes();
}

} // namespace zov
