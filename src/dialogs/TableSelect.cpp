#include "TableSelect.h"

#include "ui_TableSelect.h"

#include <QCursor>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTextEdit>
#include <algorithm>

namespace zov {

TWPTableSelect::TWPTableSelect(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      fUi(std::make_unique<Ui::TWPTableSelect>()) {
    fUi->setupUi(this);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(14);
    setFont(font);
    QPalette white = fUi->Panel2->palette();
    white.setColor(QPalette::Window, palette().color(QPalette::Base));
    fUi->Panel2->setPalette(white);
    fUi->Status->setFixedHeight(31);
    fUi->PaintBox1->installEventFilter(this);
    setMouseTracking(true);
    connect(fUi->Button1, &QPushButton::clicked, this, &QDialog::reject);
    resize(217, 146);
}

TWPTableSelect::~TWPTableSelect() = default;

int TWPTableSelect::CellSide() const {
    return std::max(QFontMetrics(fUi->PaintBox1->font()).height(), 4);
}

void TWPTableSelect::PlaceAt(const QPoint& topLeft) {
    const QScreen* screen = QGuiApplication::screenAt(topLeft);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect area = screen->availableGeometry();
    QPoint at = topLeft;
    if (at.x() + width() > area.right() + 1) {
        at.setX(area.right() + 1 - width());
    }
    if (at.y() + height() > area.bottom() + 1) {
        at.setY(area.bottom() + 1 - height());
    }
    move(std::max(at.x(), area.left()), std::max(at.y(), area.top()));
}

void TWPTableSelect::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int status = fUi->Status->height();
    fUi->Panel2->setGeometry(2, 2, width() - 4, height() - status - 4);
    fUi->Status->setGeometry(0, height() - status, width(), status);
    fUi->Button1->move(width() - fUi->Button1->width() - 1, 1);
    fUi->Button1->raise();
}

void TWPTableSelect::Normalize() {
    fRow = std::max(fRow, 1);
    fCol = std::max(fCol, 1);
    fUi->StatusText->setText(QStringLiteral("%1 X%2").arg(fCol).arg(fRow));
}

void TWPTableSelect::PaintGrid() {
    QWidget* box = fUi->PaintBox1;
    QPainter painter(box);
    const int h = CellSide();
    painter.fillRect(0, 0, fCol * h, fRow * h, palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::Dark));
    for (int x = h; x < box->width(); x += h) {
        painter.drawLine(x, 0, x, box->height());
    }
    for (int y = h; y < box->height(); y += h) {
        painter.drawLine(0, y, box->width(), y);
    }
}

TTableSize TWPTableSelect::SizeAt(const QPoint& at) const {
    const int h = CellSide();
    const int half = h / 2;
    return {std::clamp((at.x() + half) / h, 0, kMaxColumns), std::max((at.y() + half) / h, 0)};
}

void TWPTableSelect::GrowFor(const TTableSize& size) {
    const int h = CellSide();
    const QRect area =
        (screen() != nullptr ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
    QSize grown = this->size();
    if (size.columns * h >= fUi->PaintBox1->width()) {
        grown.rwidth() += h + 2;
    }
    if (size.rows * h >= fUi->PaintBox1->height()) {
        grown.rheight() += h + 2;
    }
    resize(grown.boundedTo(area.size()));
}

void TWPTableSelect::Pressed(const QPoint& at) {
    const TTableSize size = SizeAt(at);
    if (size != Size()) {
        fCol = size.columns;
        fRow = size.rows;
        GrowFor(size);
        Normalize(); // as the repaint that follows would
        fUi->PaintBox1->update();
    }
    fButton = true;
}

void TWPTableSelect::Moved(const QPoint& at) {
    const TTableSize size = SizeAt(at);
    if (size == Size()) {
        return;
    }
    fCol = size.columns;
    fRow = size.rows;
    if (fButton) {
        GrowFor(size);
        fDontClose = true;
    }
    Normalize();
    fUi->PaintBox1->update();
}

void TWPTableSelect::Clicked() {
    if (!fDontClose) {
        CloseWithChoice();
    }
    fDontClose = false;
}

void TWPTableSelect::CloseWithChoice() {
    if (fCol <= 0) {
        reject();
    } else {
        accept();
    }
}

bool TWPTableSelect::eventFilter(QObject* watched, QEvent* event) {
    if (watched != fUi->PaintBox1) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::Paint:
        Normalize();
        PaintGrid();
        return true;
    case QEvent::MouseButtonPress:
        Pressed(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseMove:
        Moved(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        fButton = false;
        Clicked();
        return true;
    case QEvent::MouseButtonDblClick:
        CloseWithChoice();
        return true;
    default:
        return false;
    }
}

void TWPTableSelect::mouseMoveEvent(QMouseEvent* event) {
    // A drag that leaves the grid over the form goes on as a drag on the grid.
    if (fButton) {
        Moved(event->position().toPoint());
    }
}

void TWPTableSelect::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Normalize();
        accept();
        return;
    }
    QDialog::keyPressEvent(event); // Escape cancels
}

TTableSize SelectTableSize(QWidget* owner, QWidget* anchor, QTextEdit* editor) {
    if (editor == nullptr) {
        return {};
    }
    TWPTableSelect picker(owner);
    picker.PlaceAt(anchor != nullptr ? anchor->mapToGlobal(QPoint(0, anchor->height()))
                                     : QCursor::pos());
    if (picker.exec() != QDialog::Accepted) {
        return {};
    }
    return picker.Size();
}

} // namespace zov
