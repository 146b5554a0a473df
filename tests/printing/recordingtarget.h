// A print target that keeps what the layout draws instead of putting it on paper: lines, boxes,
// polylines and texts per page, each with the pen it was drawn with, in device units of an A4
// page at 600 dots per inch with given margins.
#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <memory>
#include <vector>

#include "printing/printtarget.h"

namespace tundrix::testing {

struct DrawnItem {
    enum Kind { Line, Rect, Polyline, Text } kind;
    QLineF line;
    QRectF rect;
    QPolygonF polygon;
    QString text;
    QPointF textTopLeft;  // top left corner of a text (device units)
    QPointF textEnd;      // baseline point after its last letter
    QColor pen;
    double penWidth = 0;
    QColor textColour;
};

struct DrawnPage {
    std::vector<DrawnItem> items;

    std::vector<const DrawnItem*> texts() const;
    std::vector<const DrawnItem*> lines() const;
    // The first text equal to `text`, or null.
    const DrawnItem* findText(const QString& text) const;
};

class RecordingDevice;

class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(RecordingDevice& device);

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawLines(const QLine* lines, int count) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawRects(const QRect* rects, int count) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override;
    void drawTextItem(const QPointF& p, const QTextItem& item) override;
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    Type type() const override { return QPaintEngine::User; }

private:
    DrawnItem item(DrawnItem::Kind kind) const;

    RecordingDevice& device_;
    QPen pen_;
    QTransform transform_;
};

class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(int width, int height);
    ~RecordingDevice() override;

    QPaintEngine* paintEngine() const override { return engine_.get(); }
    int width() const { return width_; }

    std::vector<DrawnPage> pages{1};

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int width_;
    int height_;
    std::unique_ptr<RecordingEngine> engine_;
};

// An A4 page at 600 dpi with the given margins (device units) on all four sides.
class RecordingTarget : public PrintTarget {
public:
    explicit RecordingTarget(int margin = 0, int printableHeight = 0);

    QPaintDevice* device() override { return &device_; }
    PageMetrics metrics() const override;
    void setTitle(const QString& title) override { title_ = title; }
    bool newPage() override;

    const std::vector<DrawnPage>& pages() const { return device_.pages; }
    const QString& title() const { return title_; }

    // Pages the device takes; newPage() past them is refused, as a printer out of paper or a
    // failing driver refuses it. 0: no limit.
    std::size_t pageLimit = 0;

private:
    RecordingDevice device_;
    int margin_;
    QString title_;
};

}  // namespace tundrix::testing
