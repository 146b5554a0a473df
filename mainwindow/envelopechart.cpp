#include "mainwindow/envelopechart.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

#include "engine/toolkit.h"

namespace tundrix {

namespace {

// Sky blue of the chart's background and envelope: F0CAA6 read as blue, green, red.
const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
const QColor kGridColour(160, 160, 160);

int roundEven(double v) {
    return int(std::nearbyint(v));
}

QString degrees(int t) {
    return QString::number(t) + QStringLiteral("°C");
}

}  // namespace

QPoint EnvelopeChartData::toPixel(QPointF t) const {
    return {roundEven(xscale * t.x() + 35 - 10 * lo * xscale), roundEven(yscale * t.y() + 250)};
}

EnvelopeChartData makeEnvelopeChart(const std::array<double, 12>& vertices, double ylim5, double to,
                                    double t2, double testTo) {
    EnvelopeChartData d;
    d.ylim5 = ylim5;
    d.point = QPointF(to, t2);
    bool finite = std::isfinite(ylim5) && std::isfinite(to) && std::isfinite(t2);
    for (int n = 0; n < 6; ++n) {
        d.envelope[std::size_t(n)] =
            QPointF(vertices[std::size_t(2 * n)], vertices[std::size_t(2 * n + 1)]);
        finite = finite && std::isfinite(vertices[std::size_t(2 * n)]) &&
                 std::isfinite(vertices[std::size_t(2 * n + 1)]);
    }
    if (!finite)
        return d;

    const double x1 = vertices[0];
    const double x3 = vertices[4];
    bool haveLo = false;
    bool haveHi = false;
    for (int n = -8; n <= 3; ++n)
        if (10.0 * n < x1) {
            d.lo = n;
            haveLo = true;
        }
    for (int n = 3; n >= -8; --n)
        if (10.0 * n > x3) {
            d.hi = n;
            haveHi = true;
        }
    // ylim5 = 10 or an empty evaporating range would divide by zero.
    if (!haveLo || !haveHi || d.hi <= d.lo || ylim5 == 10.0)
        return d;
    d.yscale = -4.0 / ((ylim5 - 10.0) / 50.0);
    d.xscale = 4.0 / ((10.0 * d.hi - 10.0 * d.lo) / 80.0);
    d.valid = true;

    const auto& e = d.envelope;
    d.outOfRange =
        !inenvelope(testTo, t2, e[0].x(), e[0].y(), e[1].x(), e[1].y(), e[2].x(), e[2].y(),
                    e[3].x(), e[3].y(), e[4].x(), e[4].y(), e[5].x(), e[5].y());
    return d;
}

EnvelopeChart::EnvelopeChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(400, 275);
    setAutoFillBackground(false);
}

void EnvelopeChart::setData(const EnvelopeChartData& data) {
    data_ = data;
    shown_ = true;
    update();
}

void EnvelopeChart::clear() {
    data_ = {};
    shown_ = false;
    update();
}

QString EnvelopeChart::warning() const {
    if (!shown_)
        return {};
    if (!data_.valid)
        return kNoRangeText;
    return data_.outOfRange ? kOutOfRangeText : QString();
}

QSize EnvelopeChart::sizeHint() const {
    return {400, 360};
}

int EnvelopeChart::topOffset() const {
    if (!shown_ || !data_.valid)
        return 0;
    constexpr int kMargin = 14;  // room for a grid label's text above the topmost line
    int top = data_.toPixel(QPointF(0, data_.ylim5 + 5.0)).y();
    for (const QPointF& v : data_.envelope)
        top = std::min(top, data_.toPixel(v).y());
    top = std::min(top, data_.toPixel(data_.point).y() - 5);
    const int room = std::max(0, height() - minimumHeight());
    return std::clamp(kMargin - top, 0, room);
}

void EnvelopeChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kSkyBlue);
    if (!shown_)
        return;
    if (!data_.valid) {
        p.setPen(Qt::black);
        p.drawText(QPoint(40, 40), kNoRangeText);
        return;
    }
    const EnvelopeChartData& d = data_;
    p.translate(0, topOffset());
    QPolygon outline;
    for (const QPointF& v : d.envelope)
        outline << d.toPixel(v);

    p.setPen(Qt::black);
    p.setBrush(kSkyBlue);
    p.drawPolygon(outline);

    const QPoint pt = d.toPixel(d.point);
    p.fillRect(QRect(pt.x() - 5, pt.y() - 5, 10, 10), Qt::black);

    p.setPen(kGridColour);
    p.setBrush(Qt::NoBrush);
    for (int n = 1; n <= 8; ++n) {
        const QPoint a = d.toPixel(QPointF(10.0 * d.lo, 10.0 * n));
        const QPoint b = d.toPixel(QPointF(10.0 * d.hi, 10.0 * n));
        p.drawLine(a, b);
        p.drawText(QPoint(a.x() - 20, a.y()), degrees(10 * n));
    }
    for (int n = d.lo; n <= d.hi; ++n) {
        const QPoint a = d.toPixel(QPointF(10.0 * n, 10.0));
        const QPoint b = d.toPixel(QPointF(10.0 * n, d.ylim5 + 5.0));
        p.drawLine(a, b);
        p.drawText(d.toPixel(QPointF(10.0 * n, 5.0)), degrees(10 * n));
    }

    p.setPen(Qt::black);
    p.drawPolygon(outline);

    if (d.outOfRange) {
        p.resetTransform();  // the warning keeps its place at the top left
        QFont f = font();
        f.setPointSize(14);
        p.setFont(f);
        p.setPen(Qt::red);
        p.drawText(QPoint(40, 40 + QFontMetrics(f).ascent()), kOutOfRangeText);
    }
}

}  // namespace tundrix
