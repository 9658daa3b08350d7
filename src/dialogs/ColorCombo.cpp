#include "ColorCombo.h"

#include <QColorDialog>
#include <QPixmap>
#include <QSignalBlocker>

namespace zov {
namespace {

struct TNamedColor {
    const char* name;
    QRgb rgb;
};

constexpr TNamedColor kStandardColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000},  {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080},  {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},     {"Lime", 0x00FF00},  {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},  {"White", 0xFFFFFF},
};

QIcon Swatch(const QColor& color) {
    QPixmap pixmap(12, 12);
    pixmap.fill(color);
    return QIcon(pixmap);
}

} // namespace

TColorCombo::TColorCombo(QWidget* parent) : QComboBox(parent) {
    for (const TNamedColor& c : kStandardColors) {
        addItem(Swatch(QColor(c.rgb)), QString::fromLatin1(c.name), QColor(c.rgb));
    }
    addItem(QStringLiteral("Custom..."));
    connect(this, &QComboBox::activated, this, &TColorCombo::Activated);
}

QColor TColorCombo::Color() const {
    return currentData().value<QColor>();
}

void TColorCombo::ShowColor(const QColor& color) {
    const QSignalBlocker blocker(this);
    setCurrentIndex(IndexOf(color));
    fShown = color;
}

int TColorCombo::IndexOf(const QColor& color) {
    for (int i = 0; i + 1 < count(); ++i) {
        if (itemData(i).value<QColor>().rgb() == color.rgb()) {
            return i;
        }
    }
    const int at = count() - 1; // before "Custom..."
    insertItem(at, Swatch(color), color.name().toUpper(), color);
    return at;
}

void TColorCombo::Activated(int index) {
    if (index == count() - 1) { // "Custom..."
        const QColor chosen = QColorDialog::getColor(fShown, this);
        if (!chosen.isValid()) {
            ShowColor(fShown); // back to the colour shown before
            return;
        }
        ShowColor(chosen);
    }
    fShown = Color();
    emit ColorChosen(fShown);
}

} // namespace zov
