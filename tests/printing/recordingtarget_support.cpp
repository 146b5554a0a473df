#include "printing/recordingtarget.h"

#include <QPainter>
#include <QTextItem>

#include <cmath>

namespace tundrix::testing {

namespace {
constexpr int kA4Width = 4960;   // 210 mm at 600 dpi
constexpr int kA4Height = 7016;  // 297 mm at 600 dpi

// Script of the last letter of a text that has a script of its own (Common when none has).
QChar::Script scriptOf(const QString& text) {
    QChar::Script found = QChar::Script_Common;
    for (const QChar c : text)
        if (c.script() != QChar::Script_Common && c.script() != QChar::Script_Inherited)
            found = c.script();
    return found;
}
}  // namespace

std::vector<const DrawnItem*> DrawnPage::texts() const {
    std::vector<const DrawnItem*> out;
    for (const DrawnItem& i : items)
        if (i.kind == DrawnItem::Text)
            out.push_back(&i);
    return out;
}

std::vector<const DrawnItem*> DrawnPage::lines() const {
    std::vector<const DrawnItem*> out;
    for (const DrawnItem& i : items)
        if (i.kind == DrawnItem::Line)
            out.push_back(&i);
    return out;
}

const DrawnItem* DrawnPage::findText(const QString& text) const {
    for (const DrawnItem& i : items)
        if (i.kind == DrawnItem::Text && i.text == text)
            return &i;
    return nullptr;
}

RecordingEngine::RecordingEngine(RecordingDevice& device)
    : QPaintEngine(QPaintEngine::AllFeatures), device_(device) {}

void RecordingEngine::updateState(const QPaintEngineState& state) {
    if (state.state() & QPaintEngine::DirtyPen)
        pen_ = state.pen();
    if (state.state() & QPaintEngine::DirtyTransform)
        transform_ = state.transform();
}

DrawnItem RecordingEngine::item(DrawnItem::Kind kind) const {
    DrawnItem i{kind, {}, {}, {}, {}, {}, {}, pen_.color(), pen_.widthF(), {}};
    return i;
}

void RecordingEngine::drawLines(const QLineF* lines, int count) {
    for (int n = 0; n < count; ++n) {
        DrawnItem i = item(DrawnItem::Line);
        i.line = transform_.map(lines[n]);
        device_.pages.back().items.push_back(i);
    }
}

void RecordingEngine::drawLines(const QLine* lines, int count) {
    for (int n = 0; n < count; ++n) {
        const QLineF l(lines[n]);
        drawLines(&l, 1);
    }
}

void RecordingEngine::drawRects(const QRectF* rects, int count) {
    for (int n = 0; n < count; ++n) {
        DrawnItem i = item(DrawnItem::Rect);
        i.rect = transform_.mapRect(rects[n]);
        device_.pages.back().items.push_back(i);
    }
}

void RecordingEngine::drawRects(const QRect* rects, int count) {
    for (int n = 0; n < count; ++n) {
        const QRectF r(rects[n]);
        drawRects(&r, 1);
    }
}

void RecordingEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode) {
    DrawnItem i = item(DrawnItem::Polyline);
    for (int n = 0; n < count; ++n)
        i.polygon << transform_.map(points[n]);
    device_.pages.back().items.push_back(i);
}

void RecordingEngine::drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) {
    QPolygonF f;
    for (int n = 0; n < count; ++n)
        f << QPointF(points[n]);
    drawPolygon(f.constData(), count, mode);
}

void RecordingEngine::drawTextItem(const QPointF& p, const QTextItem& text) {
    // One text of mixed scripts (Cyrillic and Latin) arrives in pieces, one per script: join a
    // piece of another script that continues the previous one on its baseline.
    auto& items = device_.pages.back().items;
    const QPointF start = transform_.map(p);
    if (!items.empty() && items.back().kind == DrawnItem::Text &&
        scriptOf(items.back().text) != QChar::Script_Common &&
        scriptOf(text.text()) != QChar::Script_Common &&
        scriptOf(items.back().text) != scriptOf(text.text()) &&
        std::abs(items.back().textEnd.x() - start.x()) < 1.0 &&
        std::abs(items.back().textEnd.y() - start.y()) < 1.0) {
        items.back().text += text.text();
        items.back().textEnd = transform_.map(QPointF(p.x() + text.width(), p.y()));
        return;
    }
    DrawnItem i = item(DrawnItem::Text);
    i.textEnd = transform_.map(QPointF(p.x() + text.width(), p.y()));
    i.text = text.text();
    i.textTopLeft = transform_.map(QPointF(p.x(), p.y() - text.ascent()));
    i.textColour = pen_.color();
    device_.pages.back().items.push_back(i);
}

RecordingDevice::RecordingDevice(int width, int height)
    : width_(width), height_(height), engine_(std::make_unique<RecordingEngine>(*this)) {}

RecordingDevice::~RecordingDevice() = default;

int RecordingDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
            return width_;
        case PdmHeight:
            return height_;
        case PdmWidthMM:
            return width_ * 254 / 6000;
        case PdmHeightMM:
            return height_ * 254 / 6000;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 600;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
    }
}

RecordingTarget::RecordingTarget(int margin, int printableHeight)
    : device_(kA4Width - 2 * margin,
              printableHeight > 0 ? printableHeight : kA4Height - 2 * margin),
      margin_(margin) {}

PageMetrics RecordingTarget::metrics() const {
    PageMetrics m;
    m.width = kA4Width;
    m.offX = margin_;
    m.offY = margin_;
    m.height = device_.height();
    return m;
}

bool RecordingTarget::newPage() {
    if (pageLimit != 0 && device_.pages.size() >= pageLimit)
        return false;
    device_.pages.emplace_back();
    return true;
}

}  // namespace tundrix::testing
