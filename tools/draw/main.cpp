// nuvik3t_draw: draws every picture and writes every text the game embeds.
//
//   nuvik3t_draw [output-folder] [--contact-sheet sheet.png]
//
// The output folder defaults to the source tree's resources/. Every run writes
// the same bytes, so the committed files can be checked by running it again.
// The contact sheet shows all pictures at once (sprites enlarged 8 times, and a
// small board at the design cell size) for a person to look at.
#include "indexed.h"
#include "pictures.h"
#include "sprites.h"
#include "texts.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

constexpr int kJpegQuality = 88;

QByteArray jpegFile(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    writer.setOptimizedWrite(true);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode JPEG: " + writer.errorString().toStdString());
    return bytes;
}

void writeFile(const QDir& folder, const QString& relativePath, const QByteArray& bytes)
{
    const QString path = folder.filePath(relativePath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw std::runtime_error("cannot create the folder of " + path.toStdString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
}

QImage enlarged(const QImage& image, int factor)
{
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

struct Drawn {
    std::vector<NamedSprite> sprites;
    std::vector<IndexedImage> icon;
    IndexedImage star;
    IndexedImage menuBackground;
    QImage finalPicture;
    QImage dedication;
};

// A board corner of walls with every sprite on it, once at the design cell
// size (10 x 14) and once as a maximised window would show it.
QImage boardPreview(const Drawn& drawn, QSize cell)
{
    constexpr int kColumns = 12;
    constexpr int kRows = 5;
    // 'w' is a wall, a digit the index of a sprite, '-' an open road.
    constexpr std::string_view kLayout[kRows] = {
        "5-1-w23-4-7w",
        "w-ww-wwww-ww",
        "--w--w6---w-",
        "w-w-ww-ww-w1",
        "w----2--3-ww",
    };
    QImage board(cell.width() * kColumns, cell.height() * kRows, QImage::Format_RGB32);
    board.fill(QColor(0, 192, 192));
    QPainter painter(&board);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const char k = kLayout[r][static_cast<std::size_t>(c)];
            if (k == '-')
                continue;
            const QImage& sprite = drawn.sprites[k == 'w' ? 0 : static_cast<std::size_t>(k - '0')].image.toImage();
            painter.drawImage(QRect(QPoint(c * cell.width(), r * cell.height()), cell),
                              sprite.scaled(cell, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        }
    return board;
}

QImage contactSheet(const Drawn& drawn)
{
    constexpr int kGap = 12;
    QImage sheet(1800, 1600, QImage::Format_RGB32);
    sheet.fill(QColor(96, 96, 104));
    QPainter painter(&sheet);
    int x = kGap;
    for (const NamedSprite& sprite : drawn.sprites) {
        painter.drawImage(x, kGap, enlarged(sprite.image.toImage(), 8));
        painter.drawImage(x, kGap + 120 + 6, sprite.image.toImage());
        x += 80 + kGap;
    }
    painter.drawImage(x, kGap, enlarged(drawn.star.toImage(), 3));
    painter.drawImage(x, kGap + 228 + 6, drawn.star.toImage());
    x += 228 + kGap;
    for (const IndexedImage& image : drawn.icon) {
        painter.drawImage(x, kGap, enlarged(image.toImage(), 6));
        painter.drawImage(x, kGap + image.height * 6 + 6, image.toImage());
        x += image.width * 6 + kGap;
    }
    const int boardTop = 2 * kGap + 320;
    const QImage small = boardPreview(drawn, QSize(10, 14));
    painter.drawImage(kGap, boardTop, small);
    painter.drawImage(kGap, boardTop + small.height() + kGap, enlarged(small, 2));
    painter.drawImage(kGap + small.width() * 2 + kGap, boardTop, boardPreview(drawn, QSize(40, 56)));

    const int picturesTop = boardTop + 5 * 56 + kGap;
    painter.drawImage(kGap, picturesTop, drawn.menuBackground.toImage());
    painter.drawImage(kGap + 756 + kGap, picturesTop,
                      drawn.dedication.scaled(drawn.dedication.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    painter.drawImage(kGap, picturesTop + 454 + kGap,
                      drawn.finalPicture.scaled(drawn.finalPicture.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    painter.drawImage(kGap + 585 + kGap, picturesTop + 454 + kGap, drawn.finalPicture.copy(300, 200, 700, 450));
    return sheet;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Draws the game's pictures and writes its texts.");
    parser.addHelpOption();
    parser.addPositionalArgument("folder", "Where to write the files (default: the source tree's resources/).");
    const QCommandLineOption sheetOption("contact-sheet", "Also write a PNG showing every picture.", "png");
    parser.addOption(sheetOption);
    parser.process(app);

    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        parser.showHelp(2);
    const QDir folder(positional.isEmpty() ? QStringLiteral(NUVIK_RESOURCES_DIR) : positional.front());

    try {
        const Drawn drawn{boardSprites(), iconImages(), starPicture(), menuBackgroundPicture(), finalPicture(),
                          dedicationPicture()};
        for (const NamedSprite& sprite : drawn.sprites)
            writeFile(folder, "sprites/" + sprite.name + ".bmp", bmpFile(sprite.image, 4));
        writeFile(folder, "pictures/star.bmp", bmpFile(drawn.star, 8));
        writeFile(folder, "pictures/menu_background.bmp", bmpFile(drawn.menuBackground, 1));
        writeFile(folder, "pictures/final.jpg", jpegFile(drawn.finalPicture));
        writeFile(folder, "pictures/dedication.jpg", jpegFile(drawn.dedication));
        writeFile(folder, "icon/nuvik3t.ico", icoFile(drawn.icon));
        writeFile(folder, "text/help.html", helpHtml());
        writeFile(folder, "text/notes_default.txt", notesDefaultText());
        writeFile(folder, "text/credits.txt", creditsLine());
        writeFile(folder, "text/dedication.txt", dedicationTitle());

        if (parser.isSet(sheetOption)) {
            const QString sheetPath = parser.value(sheetOption);
            if (!contactSheet(drawn).save(sheetPath, "PNG"))
                throw std::runtime_error("cannot write the contact sheet " + sheetPath.toStdString());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nuvik3t_draw: %s\n", error.what());
        return 1;
    }
    return 0;
}
