#pragma once

#include <QTextBlockFormat>
#include <QWidget>
#include <array>
#include <cstdint>

namespace zov {

// A paragraph's indents as the editor's tools count them, in points: the first
// line's indent from the margin, the other lines' indent from the first line's, and
// the right indent. QTextBlockFormat keeps pixels at 96 dpi (4/3 pixels a point),
// the other lines at the left margin and the first line at the text indent.
struct TParaIndents {
    int first = 0;
    int left = 0;
    int right = 0;

    bool operator==(const TParaIndents&) const = default;
};
TParaIndents IndentsOf(const QTextBlockFormat& format);
void SetIndents(QTextBlockFormat& format, const TParaIndents& indents);

// The ruler's indent markers, each at a left edge in pixels.
enum TRulerMarker : uint8_t { rmFirstIndent, rmLeftIndent, rmRightIndent };

// The ruler above the editor: a line and three markers drawn by us (the first-line
// indent at the top, the left and the right indent at the bottom) that follow the
// paragraph's indents and can be dragged to change them.
class TIndentRuler : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMarkerWidth = 9;
    static constexpr int kHeight = 26;

    explicit TIndentRuler(QWidget* parent = nullptr);

    // Places the markers for indents.
    void ShowIndents(const TParaIndents& indents);
    // The indents the markers stand for after marker was dropped, from current.
    TParaIndents DroppedIndents(TRulerMarker marker, const TParaIndents& current) const;

    int MarkerLeft(TRulerMarker marker) const { return fLefts[marker]; }
    bool Dragging() const { return fDragging; }

signals:
    // A marker was dragged and let go.
    void MarkerDropped(TRulerMarker marker);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect MarkerRect(TRulerMarker marker) const;

    std::array<int, 3> fLefts{2, 2, 0};
    int fDragOfs = 0; // half a marker's width
    bool fDragging = false;
    TRulerMarker fDragged = rmFirstIndent;
};

} // namespace zov
