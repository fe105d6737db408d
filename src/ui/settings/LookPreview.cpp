#include "ui/settings/LookPreview.h"

#include "ui/common/Cp932Text.h"
#include "ui/plot/PlotSettings.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>

#include <array>

namespace vemo {
namespace {

// A sample point: its name is an initial (1 - 3, 0 for none) followed by `suffix`.
struct SamplePoint {
    int initial;
    const char* suffix;
    int x;
    int y;
};

constexpr std::array<SamplePoint, 12> kSamples = {{{0, "001", 10, 10},
                                                   {0, "002", 30, 45},
                                                   {0, "003", 45, 70},
                                                   {0, "004", 80, 100},
                                                   {1, "1", 150, 75},
                                                   {2, "3", 200, 10},
                                                   {2, "5", 250, 70},
                                                   {3, "11", 300, 50},
                                                   {0, "156", 320, 80},
                                                   {0, "223", 400, 20},
                                                   {0, "005", 100, 40},
                                                   {1, "2", 480, 110}}};

// The point picked from the coordinate list is drawn wholly in the list-click colour.
constexpr int kListClickSample = 2;
constexpr int kFirstEnlargedSample = 6;
// The outlines: registered, clicked and (dotted) edited parcel, as sample indexes.
constexpr std::array<int, 5> kRegisteredParcel = {1, 0, 5, 4, 1};
constexpr std::array<int, 5> kClickedParcel = {4, 1, 2, 10, 4};
constexpr std::array<int, 5> kEditedParcel = {7, 9, 8, 6, 7};
constexpr int kCrossHairY = 100;
constexpr int kCrossHairLength = 600;
const QRect kZoomSign(520, 25, 60, 45);

std::string SampleName(const Settings::XyzImageKeys& look, const SamplePoint& p) {
    return (p.initial == 0 ? std::string() : look.NoIni[static_cast<size_t>(p.initial - 1)]) + p.suffix;
}

template <size_t N> void DrawOutline(QPainter& painter, const std::array<int, N>& ring) {
    QPolygon polygon;
    for (int index : ring) {
        polygon << QPoint(kSamples[static_cast<size_t>(index)].x, kSamples[static_cast<size_t>(index)].y);
    }
    painter.drawPolyline(polygon);
}

void DrawPoints(QPainter& painter, const Settings::XyzImageKeys& look) {
    Settings settings;
    settings.XyzImage = look;
    const PlotSettings plot = PlotSettingsFrom(settings);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (size_t i = 0; i < kSamples.size(); ++i) {
        const SamplePoint& p = kSamples[i];
        const bool enlarged = static_cast<int>(i) >= kFirstEnlargedSample;
        const int size = enlarged ? look.BCirSize : look.SCirSize;
        font.setPointSize(std::max(1, enlarged ? look.BFSize : look.SFSize));
        painter.setFont(font);
        const std::string name = SampleName(look, p);
        const bool picked = static_cast<int>(i) == kListClickSample;
        painter.setPen(ColourFromBgr(picked ? look.XyzLstDbClkColor : look.Cir0Color));
        painter.drawEllipse(QPoint(p.x, p.y), size / 2, size / 2);
        painter.setPen(ColourFromBgr(picked ? look.XyzLstDbClkColor : plot.NameColour(name)));
        painter.drawText(p.x + size / 2, p.y - 3 * size / 2, FromCp932(name));
    }
}

} // namespace

LookPreview::LookPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LookPreview"));
    setMinimumSize(sizeHint());
}

void LookPreview::setLook(const Settings::XyzImageKeys& look) {
    look_ = look;
    update();
}

// The cross-hair and the zoom sign are drawn with an inverting pen as on the plot, so the picture is
// drawn into an image first (the raster operations need one).
void LookPreview::paintEvent(QPaintEvent*) {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(ColourFromBgr(look_.ImageBackColor));
    QPainter painter(&image);
    if (look_.CrCur) {
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        painter.setPen(ColourFromBgr(look_.CrCuColor));
        painter.drawLine(width() * 2 / 3, 0, width() * 2 / 3, height());
        painter.drawLine(0, kCrossHairY, kCrossHairLength, kCrossHairY);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    DrawPoints(painter, look_);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen(ColourFromBgr(look_.UpDwnSignColor));
    painter.drawRect(kZoomSign);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(ColourFromBgr(look_.BlkListColor));
    DrawOutline(painter, kRegisteredParcel);
    painter.setPen(ColourFromBgr(look_.BlkHitColor));
    DrawOutline(painter, kClickedParcel);
    painter.setPen(QPen(ColourFromBgr(look_.BlkNoColor), 1, Qt::DotLine));
    DrawOutline(painter, kEditedParcel);
    painter.end();
    QPainter(this).drawImage(0, 0, image);
}

} // namespace vemo
