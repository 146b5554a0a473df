#include "mainwindow/calculatorplot.h"

#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace tundrix {

namespace {

QPointF toScreen(double to, double tc) {
    return {5.0 * to + 300.0, 5.0 * tc};
}

}  // namespace

CalculatorPlot::CalculatorPlot(QWidget* parent) : QWidget(parent) {
    setMinimumSize(420, 360);
}

void CalculatorPlot::setPlot(const std::array<double, 12>& envelope, double to, double tc) {
    envelope_ = envelope;
    to_ = to;
    tc_ = tc;
    shown_ = true;
    update();
}

void CalculatorPlot::clear() {
    shown_ = false;
    update();
}

void CalculatorPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (!shown_)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    QPolygonF polygon;
    for (int n = 0; n < 6; ++n)
        polygon << toScreen(envelope_[std::size_t(2 * n)], envelope_[std::size_t(2 * n + 1)]);
    p.drawPolygon(polygon);
    if (std::isfinite(to_) && std::isfinite(tc_)) {
        const QPointF c = toScreen(to_, tc_);
        p.drawRect(QRectF(c.x() - 5, c.y() - 5, 10, 10));
    }
}

}  // namespace tundrix
