#pragma once

#include "platform/types/Types.h"

#include <QImage>
#include <QString>

namespace zov::test {

// Saves a picture drawn by a test to the test output folder, for a person to look at.
void SaveTestImage(const QImage& image, const QString& name);

// Smallest rectangle around the pixels that differ from white; empty when none do.
TRect InkBounds(const QImage& image);

// True when the pixel is not white.
bool IsInk(const QImage& image, int x, int y);

} // namespace zov::test
