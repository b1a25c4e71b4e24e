#pragma once

#include <QPixmap>
#include <QString>

// A picture of the window designs (a file embedded under ":/", such as "Image1.jpg") for a
// screen of the given device-pixel ratio, always of the picture's natural size in logical
// pixels: at a ratio of 1 the picture itself; at 2 its "@2x" variant, the same drawing with
// twice the pixels each way; at any other ratio above 1 that variant resampled to the
// screen's pixels, so that no picture is enlarged from its 1x pixels.
QPixmap designPicture(const QString &fileName, qreal ratio);
