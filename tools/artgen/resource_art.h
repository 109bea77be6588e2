// The program's own pictures: the button bar's wooden buttons, the about picture and the icon.
#pragma once

#include "game/screen_layout.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace artgen {

// The buttons' pictures are the size of the bar's buttons.
using zembro::BUTTON_HEIGHT;
using zembro::BUTTON_WIDTH;

// A wooden button with an optional label, raised or pressed.
QImage WoodButton(const QString& label, bool pressed, int grainSeed);
// A golden diamond tile, 92 x 69.
QImage AboutPicture();
// The game's icon at the given size: a golden tile on the sea.
QImage Icon(int size);
// The same icon drawn as scalable vector graphics.
QByteArray IconSvg();

} // namespace artgen
