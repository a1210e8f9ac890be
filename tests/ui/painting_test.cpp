// Painting: pictures scaled crisp or smooth, labels and images drawn in
// stacking order, and a change repainting only where it matters.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include "platform/qt/picturecache.h"
#include "test_form.h"
#include "ui_helpers.h"

namespace {


QImage Checker(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixelColor(x, y, (x + y) % 2 == 0 ? Qt::black : Qt::white);
        }
    }
    return image;
}

QImage Halves(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(0, 0, size / 2, size, Qt::black);
    return image;
}

bool HasGreyBetween(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x) {
        const int v = qGray(image.pixel(x, y));
        if (v > 20 && v < 235) {
            return true;
        }
    }
    return false;
}

class Pictures : public ::testing::Test {
protected:
    QTemporaryDir dir;
    vb::host::PictureCache cache;
};

TEST_F(Pictures, PixelPicturesStayCrispAndPhotographsSmooth) {
    const QString small = uitest::WritePicture(dir, "small.bmp", Checker(2, 2));
    const QImage crisp = cache.Scaled(small, QSize(40, 40), 1.0).toImage();
    ASSERT_EQ(crisp.size(), QSize(40, 40));
    EXPECT_EQ(crisp.pixelColor(19, 5), QColor(Qt::black));
    EXPECT_EQ(crisp.pixelColor(20, 5), QColor(Qt::white));
    EXPECT_FALSE(HasGreyBetween(crisp, 5));

    // A large black-and-white picture, drawn in bands: crisp too, and kept
    // at a whole factor, centred, when its box comes close to one, else
    // stretched over the box.
    const QString mono =
        uitest::WritePicture(dir, "mono.bmp", Halves(100).convertToFormat(QImage::Format_Mono));
    ASSERT_TRUE(cache.IsLargePixelPicture(mono));
    ASSERT_FALSE(cache.IsLargePixelPicture(small));
    struct Case {
        QSize box;     // logical
        qreal dpr;
        int drawnLeft;  // device pixels: where the picture begins, and its width
        int drawnTop;
        int drawnWidth;
    };
    for (const Case c : {Case{{300, 300}, 1.0, 0, 0, 300}, Case{{310, 290}, 1.0, 5, -5, 300},
                         Case{{150, 160}, 2.0, 0, 10, 300}, Case{{170, 250}, 1.0, 0, 0, 170}}) {
        QImage canvas(c.box * c.dpr, QImage::Format_RGB32);
        canvas.setDevicePixelRatio(c.dpr);
        canvas.fill(Qt::blue);
        {
            QPainter painter(&canvas);
            cache.DrawBanded(painter, mono, QRect(QPoint(0, 0), c.box), QRect(QPoint(0, 0), c.box));
        }
        const int edge = c.drawnLeft + c.drawnWidth / 2;
        const int y = std::max(0, c.drawnTop) + 10;
        EXPECT_EQ(canvas.pixelColor(edge - 1, y), QColor(Qt::black)) << c.box.width();
        EXPECT_EQ(canvas.pixelColor(edge, y), QColor(Qt::white)) << c.box.width();
        // Outside the picture the box keeps what lay under it.
        if (c.drawnLeft > 0) {
            EXPECT_EQ(canvas.pixelColor(c.drawnLeft - 1, y), QColor(Qt::blue)) << c.box.width();
        }
        if (c.drawnTop > 0) {
            EXPECT_EQ(canvas.pixelColor(edge, c.drawnTop - 1), QColor(Qt::blue)) << c.box.width();
            EXPECT_EQ(canvas.pixelColor(edge, c.drawnTop), QColor(Qt::white)) << c.box.width();
        }
        for (int at : {y, canvas.height() / 2}) {
            const QImage row = canvas.copy(c.drawnLeft, at, c.drawnWidth, 1);
            EXPECT_FALSE(HasGreyBetween(row, 0)) << c.box.width();
        }
    }

    const QString photo = uitest::WritePicture(dir, "photo.bmp", Halves(100));
    EXPECT_TRUE(HasGreyBetween(cache.Scaled(photo, QSize(300, 300), 1.0).toImage(), 10));
}

TEST_F(Pictures, TheProgramIconIsReadWithAllItsSizes) {
    const QList<QSize> sizes = cache.Icon(QStringLiteral(":/icon/nuvik3t.ico")).availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(cache.Icon(dir.filePath("none.ico")).isNull());
}

TEST_F(Pictures, ScaledForTheDevicePixelRatioAndShared) {
    const QString small = uitest::WritePicture(dir, "small.bmp", Checker(2, 2));
    const QPixmap sharp = cache.Scaled(small, QSize(10, 15), 2.0);
    EXPECT_EQ(sharp.size(), QSize(20, 30));
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(sharp.deviceIndependentSize().toSize(), QSize(10, 15));
    EXPECT_EQ(cache.Scaled(small, QSize(10, 15), 2.0).cacheKey(), sharp.cacheKey());
    EXPECT_EQ(cache.Natural(small, 1.0).size(), QSize(2, 2));
}

TEST_F(Pictures, AMissingPictureGivesAPlaceholderNotACrash) {
    const QString missing = dir.filePath("none.bmp");
    EXPECT_TRUE(cache.Source(missing).isNull());
    const QPixmap flat = cache.Scaled(missing, QSize(10, 15), 1.0);
    EXPECT_EQ(flat.size(), QSize(10, 15));
    EXPECT_TRUE(cache.Natural(missing, 1.0).isNull());
    EXPECT_TRUE(cache.Scaled(QString(), QSize(), 1.0).isNull());
}

// A form of pictures: the form's own, a stretched one and a natural one.
class PaintedForm : public ::testing::Test {
protected:
    void SetUp() override {
        using vb::ControlKind;
        QImage red(8, 6, QImage::Format_RGB32);
        red.fill(Qt::red);
        form.Picture = uitest::WritePicture(dir, "red.bmp", red).toStdString();
        form.BackColor = vb::Rgb(0, 0, 255);
        form.ClientWidth = 3000;   // 200 x 100 pixels
        form.ClientHeight = 1500;
        const std::string checker = uitest::WritePicture(dir, "checker.bmp", Checker(2, 2)).toStdString();
        stretched = &vb::Place(form.Add<vb::Control>(ControlKind::Image, "imgStretched"), 300, 300, 600, 600);
        stretched->Picture = checker;
        stretched->Stretch = true;
        natural = &vb::Place(form.Add<vb::Control>(ControlKind::Image, "imgNatural"), 1500, 300, 600, 600);
        natural->Picture = checker;
        label = &vb::Place(form.Add<vb::Control>(ControlKind::Label, "lblOver"), 1500, 1200, 900, 225);
        label->BackColor = vb::Rgb(0, 255, 0);
        label->Border = true;
        form.Show();
        window = rt.WindowOf(form);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        client = window->findChild<QWidget*>(QStringLiteral("client"));
        ASSERT_NE(client, nullptr);
    }

    QImage shot() const { return client->grab().toImage(); }

    QTemporaryDir dir;
    vb::QtRuntime rt;
    vb::Form form{rt, "frmPictures"};
    vb::Control* stretched = nullptr;
    vb::Control* natural = nullptr;
    vb::Control* label = nullptr;
    QWidget* window = nullptr;
    QWidget* client = nullptr;
};

TEST_F(PaintedForm, PaintsPicturesLabelsAndBackground) {
    const QImage image = shot();
    // The form's picture at natural size from the top-left corner.
    EXPECT_EQ(image.pixelColor(7, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(8, 5), QColor(Qt::blue));
    // Stretched to 40 x 40 at (20, 20): 20-pixel blocks, hard edges.
    EXPECT_EQ(image.pixelColor(39, 25), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(40, 25), QColor(Qt::white));
    // Natural size, 2 x 2 at (100, 20); the rest of the control shows through.
    EXPECT_EQ(image.pixelColor(100, 20), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(101, 20), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(110, 30), QColor(Qt::blue));
    // The label: its colour inside a black border.
    EXPECT_EQ(image.pixelColor(100, 80), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(158, 92), QColor(Qt::green));

    label->Visible = false;
    stretched->Stretch = false;
    const QImage after = shot();
    EXPECT_EQ(after.pixelColor(158, 92), QColor(Qt::blue));
    EXPECT_EQ(after.pixelColor(39, 25), QColor(Qt::blue));
}

TEST_F(PaintedForm, AChangeRepaintsOnlyTheOldAndNewRectangles) {
    uitest::PaintSpy spy(client);
    QTest::qWait(20);
    spy.painted = QRegion();
    spy.paints = 0;

    // Sprites move along a row or a column: one property, two rectangles.
    natural->Left = 2100;
    ASSERT_TRUE(QTest::qWaitFor([&spy] { return spy.paints > 0; }, 2000));
    EXPECT_EQ(spy.painted, QRegion(100, 20, 40, 40) + QRegion(140, 20, 40, 40));

    // A status label shows its new text there.
    const QRect labelRect(100, 80, 60, 15);
    const QImage blank = shot().copy(labelRect);
    spy.painted = QRegion();
    label->Caption = std::string("Score");
    ASSERT_TRUE(QTest::qWaitFor([&spy] { return !spy.painted.isEmpty(); }, 2000));
    EXPECT_EQ(spy.painted, QRegion(labelRect));
    EXPECT_NE(shot().copy(labelRect), blank);

    // A change of a hidden child paints nothing.
    label->Visible = false;
    QTest::qWait(20);
    spy.painted = QRegion();
    label->Caption = std::string("Again");
    label->Move(0, 0);
    QTest::qWait(20);
    EXPECT_TRUE(spy.painted.isEmpty());
}

} // namespace
