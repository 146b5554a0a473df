// The envelope chart of the details view: its scales, the warning for a point outside the
// envelope and the cases in which it has no scales at all.
#include <QtTest>

#include "mainwindow/envelopechart.h"
#include "qtestmain.h"

using namespace tundrix;

namespace {

// A condensing unit's envelope: lower corners at 10 °C, upper corners as ambient temperatures.
const std::array<double, 12> kEnvelope = {-40, 10, -10, 10, 5, 10, 5, 40, -10, 45, -40, 35};

}  // namespace

class ChartTest : public QObject {
    Q_OBJECT

private slots:
    void scalesFollowTheEnvelope() {
        const auto d = makeEnvelopeChart(kEnvelope, 45, -25, 30, -25);
        QVERIFY(d.valid);
        QCOMPARE(d.lo, -5);  // largest n with 10 n below -40
        QCOMPARE(d.hi, 1);   // smallest n with 10 n above 5
        QCOMPARE(d.xscale, 4.0 / (60.0 / 80.0));
        QCOMPARE(d.yscale, -4.0 / (35.0 / 50.0));
        // 10 lo sits at 35 pixels; 0 °C at 250 pixels, warmer higher up.
        QCOMPARE(d.toPixel(QPointF(-50, 0)), QPoint(35, 250));
        QCOMPARE(d.toPixel(QPointF(10, 45)).y(), int(std::nearbyint(-4.0 / 0.7 * 45 + 250)));
        QVERIFY(!d.outOfRange);
    }

    void aPointAboveTheUpperEdgeIsOutOfRange() {
        const auto d = makeEnvelopeChart(kEnvelope, 45, -25, 48, -25);
        QVERIFY(d.valid);
        QVERIFY(d.outOfRange);
        EnvelopeChart chart;
        chart.setData(d);
        QCOMPARE(chart.warning(), QStringLiteral("вне границ диапазона!!!"));
        // On the edge is inside.
        QVERIFY(!makeEnvelopeChart(kEnvelope, 45, -10, 45, -10).outOfRange);
    }

    void noScalesWhenTheyWouldDivideByZero() {
        QVERIFY(!makeEnvelopeChart(kEnvelope, 10, -25, 30, -25).valid);
        // xlim1 at or below -80: no grid column left of the envelope.
        auto wide = kEnvelope;
        wide[0] = -85;
        QVERIFY(!makeEnvelopeChart(wide, 45, -25, 30, -25).valid);
        auto nan = kEnvelope;
        nan[7] = std::numeric_limits<double>::quiet_NaN();
        QVERIFY(!makeEnvelopeChart(nan, 45, -25, 30, -25).valid);
        EnvelopeChart chart;
        chart.setData(makeEnvelopeChart(kEnvelope, 10, -25, 30, -25));
        QCOMPARE(chart.warning(), QStringLiteral("нет данных диапазона"));
    }

    void paintsSkyBlueWithABlackPointAndARedWarning() {
        EnvelopeChart chart;
        chart.resize(420, 300);
        // Below the lower edge: out of range, and on the canvas.
        const auto d = makeEnvelopeChart(kEnvelope, 45, -25, 5, -25);
        QVERIFY(d.outOfRange);
        chart.setData(d);
        const QImage img = chart.grab().toImage();
        QCOMPARE(img.pixelColor(5, 295), QColor(0xA6, 0xCA, 0xF0));
        const QPoint p = d.toPixel(QPointF(-25, 5)) + QPoint(0, chart.topOffset());
        QCOMPARE(img.pixelColor(p), QColor(Qt::black));
        bool red = false;
        for (int y = 40; y < 70 && !red; ++y)
            for (int x = 40; x < 200 && !red; ++x)
                red = img.pixelColor(x, y).red() > 200 && img.pixelColor(x, y).green() < 80;
        QVERIFY(red);
    }

    void anEnvelopeAboveTheScaleIsMovedIntoViewWhenThereIsRoom() {
        // ylim5 of 35 puts the 45 °C corner 110 pixels above the top of the scale.
        const auto d = makeEnvelopeChart(kEnvelope, 35, -25, 30, -25);
        const QPoint corner = d.toPixel(QPointF(-10, 45));
        QVERIFY(corner.y() < 0);
        EnvelopeChart chart;
        chart.setData(d);
        chart.resize(420, 275);  // no room: drawn where the scale puts it
        QCOMPARE(chart.topOffset(), 0);
        chart.resize(420, 420);
        QVERIFY(chart.topOffset() > -corner.y());
        const QImage img = chart.grab().toImage();
        const QPoint shown = corner + QPoint(0, chart.topOffset());
        QCOMPARE(img.pixelColor(shown), QColor(Qt::black));
        // The operating point moves with it; the canvas is sky blue above the corner.
        QCOMPARE(img.pixelColor(d.toPixel(d.point) + QPoint(2, 2 + chart.topOffset())),
                 QColor(Qt::black));
        QCOMPARE(img.pixelColor(shown.x(), 2), QColor(0xA6, 0xCA, 0xF0));
    }
};

TUNDRIX_QTEST_MAIN(ChartTest)
#include "chart_test.moc"
