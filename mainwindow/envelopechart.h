// The operating-envelope chart of the details view: evaporating temperature across, temperature
// up, the envelope's lower corners at their condensing temperatures and its upper corners as the
// ambient temperatures at which the unit reaches them, the operating point, a 10 K grid and the
// out-of-range warning.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <array>

namespace tundrix {

inline const QString kOutOfRangeText = QStringLiteral("вне границ диапазона!!!");
inline const QString kNoRangeText = QStringLiteral("нет данных диапазона");

struct EnvelopeChartData {
    bool valid = false;  // the scales are defined (see makeEnvelopeChart)
    int lo = 0;          // grid columns lo..hi, every 10 K of evaporating temperature
    int hi = 0;
    double xscale = 0;  // pixels per K
    double yscale = 0;  // pixels per K (negative: warmer is higher)
    double ylim5 = 0;
    std::array<QPointF, 6> envelope{};  // P1..P6 in (evaporating, temperature)
    QPointF point;                      // the operating point (evaporating, T2)
    bool outOfRange = false;

    QPoint toPixel(QPointF t) const;
};

// Scales, polygon and warning of the chart. `vertices` are P1..P6 as x1, y1, ..., x6, y6;
// `testTo` is the evaporating temperature that the envelope test uses for the point. The chart
// has no scales (valid false) when ylim5 is 10, the evaporating range holds no grid column on
// either side of the envelope, or a corner is not a finite number.
EnvelopeChartData makeEnvelopeChart(const std::array<double, 12>& vertices, double ylim5, double to,
                                    double t2, double testTo);

class EnvelopeChart : public QWidget {
public:
    explicit EnvelopeChart(QWidget* parent = nullptr);

    void setData(const EnvelopeChartData& data);
    void clear();
    bool hasData() const { return shown_; }
    const EnvelopeChartData& data() const { return data_; }
    // The warning the chart shows now: kOutOfRangeText, kNoRangeText or empty.
    QString warning() const;
    // How far the chart is drawn below the widget's top edge: an envelope whose upper corners
    // lie above the top of the scale is moved down into view when the widget has the room.
    int topOffset() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    EnvelopeChartData data_;
    bool shown_ = false;
};

}  // namespace tundrix
