#pragma once

#include <QColor>
#include <QComboBox>

namespace zov {

// A colour list: the sixteen named standard colours, each with its swatch, and
// "Custom..." at the end, which opens the colour chooser; a chosen colour joins the
// list. ColorChosen reports every choice the user makes; showing a colour from code
// reports nothing.
class TColorCombo : public QComboBox {
    Q_OBJECT

public:
    explicit TColorCombo(QWidget* parent = nullptr);

    QColor Color() const;
    // Selects color, adding it before "Custom..." when it is not in the list.
    void ShowColor(const QColor& color);

signals:
    void ColorChosen(const QColor& color);

private:
    void Activated(int index);
    int IndexOf(const QColor& color);

    QColor fShown = Qt::black; // the colour before "Custom..." was picked
};

} // namespace zov
