#include "TestImages.h"

#include <QDir>
#include <algorithm>

namespace zov::test {

void SaveTestImage(const QImage& image, const QString& name) {
    const QString folder = QStringLiteral(ZOV_TEST_OUTPUT);
    QDir().mkpath(folder);
    image.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

bool IsInk(const QImage& image, int x, int y) {
    return image.valid(x, y) && (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

TRect InkBounds(const QImage& image) {
    TRect r{image.width(), image.height(), 0, 0};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsInk(image, x, y)) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
        }
    }
    return r.IsEmpty() ? TRect{} : r;
}

} // namespace zov::test
