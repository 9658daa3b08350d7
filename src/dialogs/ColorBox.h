#pragma once

#include "platform/graphics/Color.h"

#include <QComboBox>

namespace zov {

// A drop-down of colours: the sixteen basic colours and a "Custom..." entry that
// opens the colour chooser; a chosen colour outside the list is shown as "Custom".
// Only the user's choices emit ColorChanged; SetSelected is the program's write.
class TColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit TColorBox(QWidget* parent = nullptr);

    TColor Selected() const;
    void SetSelected(TColor color);

signals:
    void ColorChanged();

private:
    void Choose(int index);
    void SetCustom(TColor color);

    int fShownIndex = 0;   // the entry of the colour shown
    int fCustomIndex = -1; // the "Custom" entry, once there is one
};

} // namespace zov
