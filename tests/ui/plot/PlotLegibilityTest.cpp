// Point names at the default settings read as well as the coordinate list's text, at whatever scale
// the screen runs (the suite runs this program once more with QT_SCALE_FACTOR=2), and at 200 % they are
// drawn at the screen's resolution.
#include "ui/common/GridFont.h"
#include "ui/plot/PlotView.h"

#include "PlotTestData.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace vemo {
namespace {

// Height in device pixels of the rows of `image` inside `area` (logical pixels) that hold a pixel for
// which `ink` holds.
template <typename Ink> int InkHeight(const QImage& image, QRect area, Ink ink) {
    const qreal ratio = image.devicePixelRatio();
    const QRect device(QPoint(qRound(area.left() * ratio), qRound(area.top() * ratio)), area.size() * ratio);
    int top = -1;
    int bottom = -1;
    for (int y = std::max(0, device.top()); y <= std::min(image.height() - 1, device.bottom()); ++y) {
        for (int x = std::max(0, device.left()); x <= std::min(image.width() - 1, device.right()); ++x) {
            if (ink(image.pixelColor(x, y))) {
                top = top < 0 ? y : top;
                bottom = y;
                break;
            }
        }
    }
    return top < 0 ? 0 : bottom - top + 1;
}

// How many of the aligned 2 x 2 pixel blocks inside `area` (logical pixels) hold ink and are not of
// one colour.  A picture drawn at the logical size and enlarged twice has none.
template <typename Ink> int MixedInkBlocks(const QImage& image, QRect area, Ink ink) {
    const qreal ratio = image.devicePixelRatio();
    const QRect device(QPoint(qRound(area.left() * ratio), qRound(area.top() * ratio)), area.size() * ratio);
    int mixed = 0;
    for (int y = std::max(0, device.top()) & ~1; y + 1 < std::min(image.height(), device.bottom()); y += 2) {
        for (int x = std::max(0, device.left()) & ~1; x + 1 < std::min(image.width(), device.right()); x += 2) {
            const QRgb corner = image.pixel(x, y);
            const bool inked = ink(image.pixelColor(x, y)) || ink(image.pixelColor(x + 1, y)) ||
                               ink(image.pixelColor(x, y + 1)) || ink(image.pixelColor(x + 1, y + 1));
            mixed += inked && (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                               image.pixel(x + 1, y + 1) != corner);
        }
    }
    return mixed;
}

TEST(PlotLegibility, APointNameIsAtLeastAsTallAsTheListText) {
    // The list's text: black on the window colour.
    QLabel list(QStringLiteral("E1"));
    list.setFont(GridFont());
    list.resize(200, 60);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    const QImage listImage = list.grab().toImage();
    const int listHeight = InkHeight(listImage, list.rect(), [](QColor c) { return c.lightness() < 100; });
    ASSERT_GT(listHeight, 3);

    // Two points fitted in a 600 x 400 plot: E1 at the lower left, its name up and right of its circle.
    Store store;
    test::LoadPoints(store, {{"E1", -35120.0, 12040.0}, {"E2", -35020.0, 12190.0}});
    PlotView plot(store);
    plot.resize(600, 400);
    plot.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plot));
    ASSERT_TRUE(plot.FitAll());
    const PlotPixel e1 = plot.Viewport().ToPixel(-35120.0, 12040.0);
    const QImage plotImage = plot.grab().toImage();
    // Right of the circle, above and a little below the point: only E1's name is there.
    const QRect nameArea(e1.x + plot.Settings().smallCircle, e1.y - 150, 200, 150 + 20);
    const int nameHeight = InkHeight(plotImage, nameArea, [](QColor c) { return c.red() > 90; });
    EXPECT_GE(nameHeight, listHeight) << "device pixel ratio " << plotImage.devicePixelRatio();
    if (plotImage.devicePixelRatio() >= 2) {
        // Drawn in the screen's own pixels, not enlarged: the name's strokes are finer than 2 x 2 blocks.
        EXPECT_GT(MixedInkBlocks(plotImage, nameArea, [](QColor c) { return c.red() > 90; }), 10);
    }
    const QByteArray dir = qgetenv("VEMO_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        const QString scale = QString::number(plotImage.devicePixelRatio());
        EXPECT_TRUE(plotImage.save(QDir(QString::fromLocal8Bit(dir)).filePath("plot-names-x" + scale + ".png")));
        EXPECT_TRUE(listImage.save(QDir(QString::fromLocal8Bit(dir)).filePath("list-text-x" + scale + ".png")));
    }
}

} // namespace
} // namespace vemo
