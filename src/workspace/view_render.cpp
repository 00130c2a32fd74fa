#include "workspace/view_render.h"

#include "workspace/view_geometry.h"

#include <QPainter>

namespace {

QImage blankPanel(QSize size, const QColor& colour)
{
    QImage panel(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    panel.fill(colour);
    return panel;
}

QSize scaledSize(const ViewState& v)
{
    return {v.scaledWidth, v.scaledHeight};
}

// Draws the part `inScaled` of the scaled picture onto `target`, whose
// top-left corner lies at `targetCorner` in scaled-picture coordinates.
void drawScaledPart(const AppState& state, const Workspace& ws, QImage& target, const QRect& inScaled,
                    QPoint targetCorner)
{
    const QImage part = ScaledRegion(ws.levels, scaledSize(state.view), inScaled);
    if (part.isNull() || part.size().isEmpty())
        return;
    const QRect placed = inScaled & QRect(QPoint(0, 0), scaledSize(state.view));
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(placed.topLeft() - targetCorner, part);
}

// Clears the image panel and renders the shown part of the scaled picture into it.
void paintImagePanel(const AppState& state, Workspace& ws)
{
    const ViewState& v = state.view;
    ws.image.fill(ws.background);
    drawScaledPart(state, ws, ws.image, QRect(v.scrollX, v.scrollY, v.shownWidth, v.shownHeight),
                   QPoint(v.scrollX - v.marginX, v.scrollY - v.marginY));
}

void applyAxis(const AxisLayout& a, ScrollBarSetting& bar, int& margin, int& shown, int& scroll)
{
    bar = {a.scrolls, a.maximum, a.position};
    margin = a.margin;
    shown = a.shown;
    scroll = a.scrolls ? a.position : 0;
}

void horizontalLine(QImage& img, int x0, int x1, int y, QRgb colour)
{
    if (y < 0 || y >= img.height())
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, img.width());
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = x0; x < x1; ++x)
        line[x] = colour;
}

void verticalLine(QImage& img, int x, int y0, int y1, QRgb colour)
{
    if (x < 0 || x >= img.width())
        return;
    y0 = std::max(y0, 0);
    y1 = std::min(y1, img.height());
    for (int y = y0; y < y1; ++y)
        reinterpret_cast<QRgb*>(img.scanLine(y))[x] = colour;
}

} // namespace

void ResizeViewPanels(Workspace& ws, QSize viewSize)
{
    ws.image = blankPanel(viewSize, ws.background);
    ws.view = ws.image.copy();
}

void ClearViewPanels(Workspace& ws)
{
    ws.image.fill(ws.background);
    ws.view.fill(ws.background);
}

QSize PictureSize(const ViewState& view)
{
    return view.reducedFrom.isValid() ? view.reducedFrom : view.currentPicture.size();
}

bool NeedsWholePicture(const ViewState& view)
{
    return view.reducedFrom.isValid() &&
           (view.scaledWidth > view.currentPicture.width() || view.scaledHeight > view.currentPicture.height());
}

void RenderView(AppState& state, Workspace& ws)
{
    ViewState& v = state.view;
    if (!v.imageLoaded)
        return;
    const QSize scaled = ScaledSize(PictureSize(v), v.viewScale);
    v.scaledWidth = scaled.width();
    v.scaledHeight = scaled.height();
    PrepareLevels(ws.levels, v.currentPicture);

    const QSize view = ws.image.size();
    applyAxis(LayoutAxis(v.scaledWidth, view.width(), v.scrollRatioX), ws.hBar, v.marginX, v.shownWidth,
              v.scrollX);
    applyAxis(LayoutAxis(v.scaledHeight, view.height(), v.scrollRatioY), ws.vBar, v.marginY,
              v.shownHeight, v.scrollY);
    paintImagePanel(state, ws);
    RefreshView(state, ws);
}

void ScrollView(AppState& state, Workspace& ws, int hPosition, int vPosition)
{
    ViewState& v = state.view;
    if (!v.imageLoaded)
        return;
    const auto follow = [](ScrollBarSetting& bar, int position, int& scroll, double& ratio) {
        if (!bar.enabled) {
            scroll = 0;
            return;
        }
        bar.position = std::clamp(position, 0, bar.maximum);
        scroll = bar.position;
        ratio = bar.maximum > 0 ? double(bar.position) / bar.maximum : 0.0;
    };
    follow(ws.hBar, hPosition, v.scrollX, v.scrollRatioX);
    follow(ws.vBar, vPosition, v.scrollY, v.scrollRatioY);
    paintImagePanel(state, ws);
    RefreshView(state, ws);
}

void RefreshView(const AppState& state, Workspace& ws)
{
    ws.view = ws.image.copy();
    DrawFrameOutline(state, ws.view, ws.frameColour);
}

bool ZoomView(AppState& state, Workspace& ws, double factor)
{
    ViewState& v = state.view;
    const double scale = v.viewScale * factor;
    if (v.imageLoaded && !ScaledSizeAllowed(ScaledSize(PictureSize(v), scale)))
        return false;
    v.viewScale = scale;
    RenderView(state, ws);
    return true;
}

void BakeView(AppState& state, Workspace& ws)
{
    ViewState& v = state.view;
    state.tools.strokeActive = false;
    QImage whole = blankPanel(scaledSize(v), ws.background);
    drawScaledPart(state, ws, whole, QRect(QPoint(0, 0), scaledSize(v)), QPoint(0, 0));
    {
        QPainter painter(&whole);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(v.scrollX, v.scrollY), ws.image,
                          QRect(v.marginX, v.marginY, v.shownWidth, v.shownHeight));
    }
    v.currentPicture = whole;
    v.reducedFrom = {};
    v.viewScale = 1.0;
    RenderView(state, ws);
}

void DrawFrameOutline(const AppState& state, QImage& view, const QColor& colour)
{
    if (!state.view.imageLoaded)
        return;
    const FrameState& f = state.frame;
    const QRgb c = colour.rgb();
    const int l = f.frameLeft;
    const int t = f.frameTop;
    const int r = f.frameLeft + f.frameWidth + 1;
    const int b = f.frameTop + f.frameHeight + 1;
    // Each line runs from its start point up to, not including, its end point.
    horizontalLine(view, l - 1, r, t - 1, c);
    horizontalLine(view, l - 1, r, b, c);
    verticalLine(view, l - 1, t - 1, b, c);
    verticalLine(view, r, t - 1, b, c);
}

QImage CaptureFrameImage(const AppState& state, const Workspace& ws)
{
    const FrameState& f = state.frame;
    const ViewState& v = state.view;
    QImage out = blankPanel(QSize(f.frameWidth, f.frameHeight), ws.background);
    // Beyond the view, the frame shows the scaled picture that lies there.
    if (v.imageLoaded) {
        const QPoint corner(f.frameLeft - v.marginX + v.scrollX, f.frameTop - v.marginY + v.scrollY);
        drawScaledPart(state, ws, out, QRect(corner, out.size()), corner);
    }
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(-f.frameLeft, -f.frameTop), ws.image);
    return out;
}
