#pragma once

#include <QDialog>
#include <memory>

class QTextEdit;

namespace Ui {
class TWPTableSelect;
}

namespace zov {

struct TTableSize {
    int columns = 0;
    int rows = 0;

    bool operator==(const TTableSize&) const = default;
};

// The table-size picker: a borderless grid on which the user drags out columns and
// rows. A click without dragging takes the size under the pointer; a drag grows the
// grid past its edge (up to the screen and 63 columns) and waits for the next click.
// Enter or a double click take the size, Escape and "X" cancel.
class TWPTableSelect : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMaxColumns = 63; // what a table row can hold

    explicit TWPTableSelect(QWidget* parent = nullptr);
    ~TWPTableSelect() override;

    TTableSize Size() const { return {fCol, fRow}; }
    // The side of a grid cell: the height of "A" in the grid's font.
    int CellSide() const;
    // Places the picker with its top left at topLeft, moved onto the screen.
    void PlaceAt(const QPoint& topLeft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void PaintGrid();
    void Normalize();
    TTableSize SizeAt(const QPoint& at) const;
    void Pressed(const QPoint& at);
    void Moved(const QPoint& at);
    void Clicked();
    void CloseWithChoice();
    void GrowFor(const TTableSize& size);

    std::unique_ptr<Ui::TWPTableSelect> fUi;
    bool fButton = false;    // the mouse button is held on the grid
    bool fDontClose = false; // the last move was a drag: the next click does not close
    int fRow = 0;
    int fCol = 0;
};

// Shows the picker below anchor (or at the mouse pointer without one), owned by
// owner, and answers the chosen size; 0 x 0 on Cancel and without an editor.
TTableSize SelectTableSize(QWidget* owner, QWidget* anchor, QTextEdit* editor);

} // namespace zov
