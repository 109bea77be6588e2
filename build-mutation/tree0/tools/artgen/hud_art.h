// The scene's pictures around the board: background with its HUD, menu strip, pointer, labels,
// digit strip and pause mark.
#pragma once

#include <QImage>
#include <QString>

namespace artgen {

QImage Background();
QImage MenuStrip();
QImage Pointer();
// A counter's label, 28 pixels high.
QImage Label(const QString& text);
// The ten digits at the x and width the game cuts them from.
QImage DigitStrip();
QImage PauseMark();
QImage MinimiseMark();

} // namespace artgen
