#include "ui/plot/PlotScene.h"

#include "core/store/CommaList.h"
#include "core/store/Store.h"
#include "ui/plot/PlotCanvas.h"

#include <QImage>
#include <QPainter>

namespace vemo {

void PlotScene::Render(QImage& image, const Store& store, const PlotSettings& settings, const PlotSceneState& state) {
    image.fill(ColourFromBgr(settings.backColour));
    drawn_.Clear();
    pointsDrawn_ = false;
    if (ExtentsEmpty(store.IndexForDrawing().Extents()) || state.view.scale <= 0) {
        return;
    }
    PlotPointsRenderer::Options options;
    const bool overview = state.nameSize == settings.smallFont;
    options.circle = overview ? settings.smallCircle : settings.bigCircle;
    options.fontSize = state.nameSize;
    options.names = !state.hideNames && (state.pointNames || !overview);
    options.namedFirst = state.namedFirst;
    points_.Render(image, store.IndexForDrawing(), state.view, settings, options, drawn_);
    pointsDrawn_ = true;
    if (state.editorShown || state.parcels) {
        RenderParcels(image, store, settings, state);
    }
}

const std::vector<unsigned char>& PlotScene::NamesDrawn() const {
    static const std::vector<unsigned char> kNone;
    return pointsDrawn_ ? points_.NamesDrawn() : kNone;
}

void PlotScene::RenderParcels(QImage& image, const Store& store, const PlotSettings& settings,
                              const PlotSceneState& state) {
    QPainter painter(&image);
    PlotCanvas canvas(painter, state.view, settings, store.IndexForDrawing(), state.nameSize, state.pointNames);
    const int colour = state.editorShown ? settings.parcelColour : settings.DimmedParcelColour();
    for (const Block& block : store.blocks.All()) {
        canvas.DrawOutline(DecodeCommaList(block.NoList), colour, PlotPenMode::Copy, PlotLineStyle::Solid);
        if (state.parcelNames) {
            canvas.DrawParcelLabel(block.BlockName, colour, block.LabelX, block.LabelY);
        }
    }
}

} // namespace vemo
