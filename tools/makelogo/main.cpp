// makelogo: records the program's logo "QUORIXLOGO" through the program's own
// metafile device, so the picture in the resources is one the program can play.
//   makelogo OUT.emf
#include "platform/pictures/EmfWriter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <cstdio>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 64;

// A rounded blue box with the program's name and two linked nodes, as on a diagram.
void DrawLogo(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor blue(0x1F, 0x4E, 0x9A);
    painter.setPen(QPen(blue.darker(130), 2));
    painter.setBrush(blue);
    painter.drawRoundedRect(QRectF(1, 1, kWidth - 2, kHeight - 2), 12, 12);

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(34);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(10, 0, 84, kHeight), Qt::AlignCenter, QStringLiteral("ZOV"));

    const QPointF first(112, 20);
    const QPointF second(140, 44);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawLine(first, second);
    painter.setBrush(QColor(0xF2, 0xA9, 0x00));
    for (const QPointF& centre : {first, second}) {
        painter.drawEllipse(centre, 9, 9);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: makelogo OUT.emf\n", stderr);
        return 2;
    }
    zov::TEmfDevice device(kWidth, kHeight);
    {
        QPainter painter(&device);
        DrawLogo(painter);
    }
    const QByteArray bytes = device.Bytes();
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "makelogo: cannot write %s: %s\n", argv[1],
                     file.errorString().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
