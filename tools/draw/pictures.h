#pragma once

#include "indexed.h"

#include <QImage>

// The large pictures, drawn procedurally. Every random choice comes from a
// fixed-seed generator, so each run writes the same pixels.
IndexedImage starPicture();            // 76 x 76, 256 colours
IndexedImage menuBackgroundPicture();  // 756 x 454, 2 colours, dithered
QImage finalPicture();                 // 1169 x 850
QImage dedicationPicture();            // 1024 x 768
