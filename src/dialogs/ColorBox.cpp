#include "dialogs/ColorBox.h"

#include <QColorDialog>
#include <QPixmap>

namespace zov {

namespace {

struct TNamedColor {
    const char* Name;
    TColor Color;
};

constexpr TNamedColor kBasicColors[] = {
    {"Black", clBlack},   {"Maroon", clMaroon},   {"Green", clGreen}, {"Olive", clOlive},
    {"Navy", clNavy},     {"Purple", clPurple},   {"Teal", clTeal},   {"Gray", clGray},
    {"Silver", clSilver}, {"Red", clRed},         {"Lime", clLime},   {"Yellow", clYellow},
    {"Blue", clBlue},     {"Fuchsia", clFuchsia}, {"Aqua", clAqua},   {"White", clWhite},
    {"Cream", clCream},
};

QIcon Swatch(TColor color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(ToQColor(color));
    return QIcon(pixmap);
}

} // namespace

TColorBox::TColorBox(QWidget* parent) : QComboBox(parent) {
    for (const TNamedColor& entry : kBasicColors) {
        addItem(Swatch(entry.Color), QString::fromLatin1(entry.Name), entry.Color);
    }
    addItem(QStringLiteral("Custom..."));
    connect(this, &QComboBox::activated, this, &TColorBox::Choose);
}

TColor TColorBox::Selected() const {
    return itemData(fShownIndex).toInt();
}

void TColorBox::SetSelected(TColor color) {
    const int index = findData(color);
    if (index >= 0) {
        fShownIndex = index;
        setCurrentIndex(index);
    } else {
        SetCustom(color);
    }
}

void TColorBox::Choose(int index) {
    if (itemData(index).isValid()) {
        fShownIndex = index;
        emit ColorChanged();
        return;
    }
    // "Custom...": the chooser starts from the colour shown before.
    const QColor chosen = QColorDialog::getColor(ToQColor(Selected()), this);
    if (!chosen.isValid()) {
        setCurrentIndex(fShownIndex);
        return;
    }
    SetSelected(FromQColor(chosen));
    emit ColorChanged();
}

void TColorBox::SetCustom(TColor color) {
    if (fCustomIndex < 0) {
        fCustomIndex = count() - 1;
        insertItem(fCustomIndex, QStringLiteral("Custom"));
    }
    setItemIcon(fCustomIndex, Swatch(color));
    setItemData(fCustomIndex, color);
    fShownIndex = fCustomIndex;
    setCurrentIndex(fCustomIndex);
}

} // namespace zov
