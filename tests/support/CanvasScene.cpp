#include "CanvasScene.h"

#include "platform/graphics/Canvas.h"

namespace zov::test {

void DrawSampleShapes(TCanvas& canvas) {
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(clRed);
    canvas.Rectangle(10, 10, 70, 50);
    canvas.Brush().SetColor(clLime);
    canvas.Ellipse(TRect{80, 10, 150, 60});
    canvas.Brush().SetColor(clBlue);
    canvas.Polygon({{160, 60}, {190, 10}, {220, 60}});
    canvas.Brush().SetStyle(bsDiagCross);
    canvas.Brush().SetColor(clPurple);
    canvas.Rectangle(10, 70, 70, 120);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Pen().SetStyle(psDash);
    canvas.MoveTo(80, 75);
    canvas.LineTo(220, 75);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(3);
    canvas.Brush().SetStyle(bsClear);
    canvas.RoundRect(TRect{160, 85, 220, 120}, 12, 12);
    canvas.Pen().SetWidth(1);
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    image.setPixel(0, 0, qRgb(0, 128, 0));
    canvas.StretchDraw(TRect{90, 90, 130, 130}, image);
    canvas.Font().SetHeight(-16);
    canvas.Font().SetColor(clNavy);
    canvas.SetBkMode(TBkMode::Transparent);
    canvas.TextOut(10, 130, QStringLiteral("Enhanced"));
    canvas.Font().SetOrientation(900);
    canvas.TextOut(235, 130, QStringLiteral("Up"));
    canvas.Font().SetOrientation(0);
    canvas.SetClipRect(TRect{150, 130, 200, 150});
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clTeal);
    canvas.Ellipse(TRect{140, 125, 230, 175});
    canvas.RemoveClip();
}

} // namespace zov::test
