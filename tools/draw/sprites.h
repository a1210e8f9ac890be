#pragma once

#include "indexed.h"

#include <QString>

#include <vector>

struct NamedSprite {
    QString name;  // file name without extension, e.g. "wall"
    IndexedImage image;
};

// The eight 10 x 15 board sprites in the 16-colour palette.
std::vector<NamedSprite> boardSprites();

// The program icon's images, 32 x 32 then 16 x 16.
std::vector<IndexedImage> iconImages();
