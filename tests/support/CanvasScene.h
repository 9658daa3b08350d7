#pragma once

namespace zov {
class TCanvas;
}

namespace zov::test {

// The shapes every vector device is checked with, in 250 x 160 pixels: filled and
// outlined rectangle, ellipse and triangle, a cross-hatched rectangle, a dashed
// line, a thick rounded rectangle, a stretched 4 x 4 picture, a line of text, a
// turned word and an ellipse cut by a clip rectangle.
void DrawSampleShapes(TCanvas& canvas);

} // namespace zov::test
