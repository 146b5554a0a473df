#include "mainwindow/seasonalchart.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tundrix {

SeasonalChart::SeasonalChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SeasonalChart"));
    setMinimumSize(520, 230);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void SeasonalChart::setYear(std::vector<YearBin> year, QString emptyText) {
    year_ = std::move(year);
    emptyText_ = std::move(emptyText);
    update();
}

void SeasonalChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = p.fontMetrics();
    const QRect plot =
        rect().adjusted(fm.horizontalAdvance(QStringLiteral("0000")) + 8, fm.height() + 6,
                        -fm.horizontalAdvance(QStringLiteral("000,0")) - 8, -2 * fm.height() - 6);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(plot);
    if (year_.empty()) {
        p.setPen(Qt::black);
        p.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap, emptyText_);
        return;
    }
    double tLo = year_.front().t, tHi = tLo, hMax = 0, kwMax = 0;
    for (const YearBin& b : year_) {
        tLo = std::min(tLo, b.t);
        tHi = std::max(tHi, b.t);
        hMax = std::max(hMax, b.hours);
        kwMax = std::max({kwMax, b.load, b.capacity});
    }
    tLo = std::floor(tLo / 5) * 5 - 1;
    tHi = std::ceil(tHi / 5) * 5 + 1;
    hMax = std::max(1.0, std::ceil(hMax / 50) * 50);
    kwMax = std::max(1.0, kwMax * 1.1);
    auto x = [&](double t) { return plot.left() + (t - tLo) / (tHi - tLo) * plot.width(); };
    auto yHours = [&](double h) { return plot.bottom() - h / hMax * plot.height(); };
    auto yKw = [&](double q) { return plot.bottom() - q / kwMax * plot.height(); };

    // Axes: temperatures every 5 K below, hours on the left, kW on the right.
    p.setPen(palette().color(QPalette::Dark));
    for (double t = tLo + 1; t <= tHi; t += 5) {
        p.drawLine(QPointF(x(t), plot.bottom()), QPointF(x(t), plot.bottom() + 3));
        p.drawText(QRectF(x(t) - 20, plot.bottom() + 4, 40, fm.height()), Qt::AlignCenter,
                   QString::number(t));
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + fm.height() + 4, plot.width(), fm.height()),
               Qt::AlignCenter, QStringLiteral("Температура наружного воздуха, °C"));
    for (int i = 0; i <= 4; ++i) {
        const double h = hMax * i / 4, q = kwMax * i / 4;
        p.drawText(QRectF(0, yHours(h) - fm.height() / 2.0, plot.left() - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(h));
        p.drawText(QRectF(plot.right() + 4, yKw(q) - fm.height() / 2.0, 60, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, QLocale().toString(q, 'f', 1));
    }
    p.drawText(QRectF(0, 0, width(), fm.height()), Qt::AlignLeft, QStringLiteral("ч/год"));
    p.drawText(QRectF(0, 0, width() - 4, fm.height()), Qt::AlignRight, QStringLiteral("кВт"));

    // Hours as bars one kelvin wide.
    const double bar = std::max(1.0, x(1) - x(0) - 1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(166, 202, 240));
    for (const YearBin& b : year_)
        p.drawRect(QRectF(x(b.t) - bar / 2, yHours(b.hours), bar, plot.bottom() - yHours(b.hours)));

    // Load and capacity as lines over the bins in temperature order.
    std::vector<YearBin> sorted = year_;
    std::sort(sorted.begin(), sorted.end(),
              [](const YearBin& a, const YearBin& b) { return a.t < b.t; });
    auto line = [&](double YearBin::*v, const QColor& c) {
        QPainterPath path;
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            const QPointF pt(x(sorted[i].t), yKw(sorted[i].*v));
            i == 0 ? path.moveTo(pt) : path.lineTo(pt);
        }
        p.setPen(QPen(c, 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    };
    line(&YearBin::capacity, QColor(0, 0, 200));
    line(&YearBin::load, QColor(200, 0, 0));
    p.setPen(QColor(0, 0, 200));
    p.drawText(plot.adjusted(6, 4, -6, -4), Qt::AlignTop | Qt::AlignLeft,
               QStringLiteral("— холодопроизводительность"));
    p.setPen(QColor(200, 0, 0));
    p.drawText(plot.adjusted(6, 4 + fm.height(), -6, -4), Qt::AlignTop | Qt::AlignLeft,
               QStringLiteral("— нагрузка"));
}

}  // namespace tundrix
