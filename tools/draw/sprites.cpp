// The board sprites and the icon as pixel maps: one character per pixel, so a
// change to a sprite is a change to its picture in this file.
//
//   .  black      r  dark red    g  green     o  olive
//   n  navy       p  purple      t  teal      s  silver
//   d  grey       R  red         G  lime      Y  yellow
//   B  blue       M  magenta     C  cyan      W  white
//   (icons only) a space is a transparent pixel
#include "sprites.h"

namespace {

constexpr std::string_view kKey = ".rgonptsdRGYBMCW";

// The 16 colours every 16-colour display had; the sprites' subjects are named in them.
const std::vector<QRgb> kPalette16 = {
    qRgb(0, 0, 0),     qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),   qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0), qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),   qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

// Walls sit next to each other, so the brick courses continue across tile edges.
const std::vector<std::string_view> kWall = {
    "BBBB.BBBB.",
    "nnnn.nnnn.",
    "..........",
    "BB.BBBB.BB",
    "nn.nnnn.nn",
    "..........",
    "BBBB.BBBB.",
    "nnnn.nnnn.",
    "..........",
    "BB.BBBB.BB",
    "nn.nnnn.nn",
    "..........",
    "BBBB.BBBB.",
    "nnnn.nnnn.",
    "..........",
};

const std::vector<std::string_view> kMonster = {
    "tt......tt",
    "t........t",
    "..........",
    ".WWW..WWW.",
    ".W.W..W.W.",
    ".WWW..WWW.",
    "..........",
    "..........",
    "W........W",
    "WW......WW",
    ".WWWWWWWW.",
    ".W.W..W.W.",
    "..........",
    "t........t",
    "tt......tt",
};

const std::vector<std::string_view> kFruitRed = {
    "CCooooooCC",
    "CoooogoooC",
    "ooooggoooo",
    "oooRRRMooo",
    "ooRWRRRMoo",
    "oRRRRYRRMo",
    "oRRMRRRRMo",
    "oRRRRRMRRo",
    "oRYRRRRRMo",
    "oRRRMRRYRo",
    "oMRRRRRRMo",
    "ooMRRMRMoo",
    "oooMMMMooo",
    "CooooooooC",
    "CCooooooCC",
};

const std::vector<std::string_view> kFruitGreen = {
    "CCooooooCC",
    "CoooogoooC",
    "ooooggoooo",
    "oooGGGgooo",
    "ooGWGGGgoo",
    "oGGGGYGGgo",
    "oGGgGGGGgo",
    "oGGGGGgGGo",
    "oGYGGGGGgo",
    "oGGGgGGYGo",
    "ogGGGGGGgo",
    "oogGGgGgoo",
    "ooogggggoo",
    "CooooooooC",
    "CCooooooCC",
};

const std::vector<std::string_view> kCritter = {
    "ttGttGttGt",
    "tGGtGGtGGt",
    "tgGGgGGgGt",
    "ttggggggtt",
    "tWWWWWWWWt",
    "WWWWWWWWWW",
    "WW..WW..WW",
    "WW..WW..WW",
    "WWWWWWWWWW",
    "WWWWssWWWW",
    "WsWWWWWWsW",
    "tWssssssWt",
    "ttWWWWWWtt",
    "tttWWWWttt",
    "tttttttttt",
};

const std::vector<std::string_view> kDoorClosed = {
    "oooooooooo",
    "oYoooooooo",
    "orrrrrrrro",
    "or......ro",
    "or.rrrr.ro",
    "or......ro",
    "orrrrrrrro",
    "orrrrrYYro",
    "orrrrrYYro",
    "or......ro",
    "or.rrrr.ro",
    "or......ro",
    "orrrrrrrro",
    "oooooooooo",
    "oooooooooo",
};

const std::vector<std::string_view> kDoorOpen = {
    "oooooooooo",
    "oYoooooooo",
    "oGGGGGGGGo",
    "oGggggggGo",
    "oGgGGGGgGo",
    "oGggggggGo",
    "oGGGGGGGGo",
    "oGGGGGYYGo",
    "oGGGGGYYGo",
    "oGggggggGo",
    "oGgGGGGgGo",
    "oGggggggGo",
    "oGGGGGGGGo",
    "oooooooooo",
    "oooooooooo",
};

const std::vector<std::string_view> kBullet = {
    "tttttttttt",
    "tttttttttt",
    "tttttttttt",
    "tttttttttt",
    "tttttttttt",
    "ttttYYtttt",
    "tttYWWYttt",
    "ttYWWWWYtt",
    "ttYWWWWYtt",
    "tttYWWYttt",
    "ttttYYtttt",
    "tttttttttt",
    "tttttttttt",
    "tttttttttt",
    "tttttttttt",
};

// A heap of stone blocks: white faces lit from the top left, grey and dark sides.
const std::vector<std::string_view> kIcon32 = {
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "           .........            ",
    "           .WWWWWWWs.           ",
    "           .WsssssWd.           ",
    "           .WsssssWd.           ",
    "           .WsssssWd.           ",
    "           .WsssssWd.           ",
    "      ........ddddddd.........  ",
    "      .WWWWWWWs......WWWWWWWs.  ",
    "      .WdddddWd.sssWd.sssssWd.  ",
    "      .WdddddWd.sssWd.sssssWd.  ",
    "      .WdddddWd.sssWd.sssssWd.  ",
    "      .WdddddWd.sssWd.sssssWd.  ",
    "  ....sdddddddd.ddddd.dddddd... ",
    "  .WWWWWWWWs........WWWWWWWWs.  ",
    "  .WsssssssWd.WWWWs.WdddddddWd. ",
    "  .WsssssssWd.WsssWd.WdddddddWd.",
    "  .WsssssssWd.WsssWd.WdddddddWd.",
    "  .WsssssssWd.WsssWd.WdddddddWd.",
    "  .WsssssssWd.WsssWd.WdddddddWd.",
    "  .sdddddddd..sdddd..sdddddddd..",
    "................................",
    "................................",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
};

const std::vector<std::string_view> kIcon16 = {
    "                ",
    "                ",
    "      ....      ",
    "      .WWs.     ",
    "      .Wsd.     ",
    "   ....dd.....  ",
    "   .WWs..WWWs.  ",
    "   .Wdd.WsssdW. ",
    " .....dd.ddddd. ",
    " .WWWs.Ws.WWWs. ",
    " .Wssd.Wd.Wddd. ",
    " .Wssd.Wd.Wddd. ",
    " .dddd.dd.dddd. ",
    "................",
    "                ",
    "                ",
};

}  // namespace

std::vector<NamedSprite> boardSprites()
{
    return {
        {"wall", fromPixelMap(kWall, kPalette16, kKey)},
        {"monster", fromPixelMap(kMonster, kPalette16, kKey)},
        {"fruit_red", fromPixelMap(kFruitRed, kPalette16, kKey)},
        {"fruit_green", fromPixelMap(kFruitGreen, kPalette16, kKey)},
        {"critter", fromPixelMap(kCritter, kPalette16, kKey)},
        {"door_closed", fromPixelMap(kDoorClosed, kPalette16, kKey)},
        {"door_open", fromPixelMap(kDoorOpen, kPalette16, kKey)},
        {"bullet", fromPixelMap(kBullet, kPalette16, kKey)},
    };
}

std::vector<IndexedImage> iconImages()
{
    return {fromPixelMap(kIcon32, kPalette16, kKey, true), fromPixelMap(kIcon16, kPalette16, kKey, true)};
}
