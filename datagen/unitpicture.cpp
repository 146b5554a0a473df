#include "datagen/unitpicture.h"

#include <QBuffer>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace tundrix::datagen {
namespace {

// Oblique (cabinet) projection: x to the right, y into the picture (drawn up and to the right at
// 30 degrees, shortened to 0.55), z up. Every flat face is an affine image of its plane, so
// circles on it become the right ellipses when their paths are mapped with the plane's transform.
class Oblique {
  public:
    static constexpr double kDepth = 0.55;
    static constexpr double kAngle = std::numbers::pi / 6;

    Oblique(double scale, QPointF origin) : s_(scale), o_(origin) {}

    double kc() const { return kDepth * std::cos(kAngle); }
    double ks() const { return kDepth * std::sin(kAngle); }

    QPointF p(double x, double y, double z) const {
        return {o_.x() + s_ * (x + kc() * y), o_.y() - s_ * (z + ks() * y)};
    }
    // (u, v) = (x, z) on the plane y = const.
    QTransform front(double y) const {
        return QTransform(s_, 0, 0, -s_, o_.x() + s_ * kc() * y, o_.y() - s_ * ks() * y);
    }
    // (u, v) = (x, y) on the plane z = const.
    QTransform top(double z) const {
        return QTransform(s_, 0, s_ * kc(), -s_ * ks(), o_.x(), o_.y() - s_ * z);
    }
    // (u, v) = (y, z) on the plane x = const.
    QTransform side(double x) const {
        return QTransform(s_ * kc(), -s_ * ks(), 0, -s_, o_.x() + s_ * x, o_.y());
    }
    double scale() const { return s_; }

  private:
    double s_;
    QPointF o_;
};

QPainterPath rectPath(const QTransform& t, double u, double v, double du, double dv) {
    QPainterPath path;
    path.addRect(QRectF(u, v, du, dv));
    return t.map(path);
}

QPainterPath circlePath(const QTransform& t, double u, double v, double r) {
    QPainterPath path;
    path.addEllipse(QPointF(u, v), r, r);
    return t.map(path);
}

class Scene {
  public:
    Scene(QPainter& painter, const Oblique& view) : p_(painter), v_(view) {
        outline_ = QPen(QColor(40, 44, 50), 1.0);
        outline_.setCosmetic(true);
    }

    void box(double x, double y, double z, double dx, double dy, double dz, QColor c) {
        p_.setPen(outline_);
        p_.setBrush(c);
        p_.drawPath(rectPath(v_.front(y), x, z, dx, dz));
        p_.setBrush(c.lighter(122));
        p_.drawPath(rectPath(v_.top(z + dz), x, y, dx, dy));
        p_.setBrush(c.darker(128));
        p_.drawPath(rectPath(v_.side(x + dx), y, z, dy, dz));
    }

    // Upright cylinder standing on z0, axis at (cx, cy).
    void upright(double cx, double cy, double r, double z0, double z1, QColor c) {
        const double t1 = std::atan(v_.kc());
        const double t2 = t1 + std::numbers::pi;
        const QPointF a0 = v_.p(cx + r * std::cos(t1), cy + r * std::sin(t1), z0);
        const QPointF b0 = v_.p(cx + r * std::cos(t2), cy + r * std::sin(t2), z0);
        const QPointF a1 = v_.p(cx + r * std::cos(t1), cy + r * std::sin(t1), z1);
        const QPointF b1 = v_.p(cx + r * std::cos(t2), cy + r * std::sin(t2), z1);
        QLinearGradient shade(b0.x(), 0, a0.x(), 0);
        shade.setColorAt(0, c.darker(120));
        shade.setColorAt(0.35, c.lighter(145));
        shade.setColorAt(1, c.darker(165));
        p_.setPen(outline_);
        p_.setBrush(shade);
        p_.drawPath(circlePath(v_.top(z0), cx, cy, r));
        p_.setPen(Qt::NoPen);
        p_.drawPolygon(QPolygonF({a0, b0, b1, a1}));
        p_.setPen(outline_);
        p_.drawLine(a0, a1);
        p_.drawLine(b0, b1);
        p_.setBrush(c.lighter(118));
        p_.drawPath(circlePath(v_.top(z1), cx, cy, r));
    }

    // Horizontal cylinder along x from x0 to x1, axis at (cy, cz).
    void lying(double x0, double x1, double cy, double cz, double r, QColor c) {
        const double t1 = std::atan2(1.0, v_.ks());
        const double t2 = t1 + std::numbers::pi;
        auto at = [&](double x, double t) {
            return v_.p(x, cy + r * std::cos(t), cz + r * std::sin(t));
        };
        const QPointF a0 = at(x0, t1), b0 = at(x0, t2), a1 = at(x1, t1), b1 = at(x1, t2);
        QLinearGradient shade(0, a0.y(), 0, b0.y());
        shade.setColorAt(0, c.lighter(135));
        shade.setColorAt(0.3, c.lighter(150));
        shade.setColorAt(1, c.darker(170));
        p_.setPen(outline_);
        p_.setBrush(shade);
        p_.drawPath(circlePath(v_.side(x0), cy, cz, r));
        p_.setPen(Qt::NoPen);
        p_.drawPolygon(QPolygonF({a0, a1, b1, b0}));
        p_.setPen(outline_);
        p_.drawLine(a0, a1);
        p_.drawLine(b0, b1);
        p_.setBrush(c.darker(115));
        p_.drawPath(circlePath(v_.side(x1), cy, cz, r));
    }

    void pipe(const std::vector<std::array<double, 3>>& points, double widthMm, QColor c) {
        QPolygonF line;
        for (const auto& q : points)
            line << v_.p(q[0], q[1], q[2]);
        const double w = std::max(1.5, widthMm * v_.scale());
        p_.setBrush(Qt::NoBrush);
        p_.setPen(QPen(c.darker(150), w + 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p_.drawPolyline(line);
        p_.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p_.drawPolyline(line);
        p_.setPen(QPen(c.lighter(140), std::max(0.6, w * 0.3), Qt::SolidLine, Qt::RoundCap,
                       Qt::RoundJoin));
        p_.drawPolyline(line.translated(-w * 0.15, -w * 0.2));
    }

    // A fan guard seen from the front, on the plane y.
    void fan(double cx, double y, double cz, double r) {
        const QTransform t = v_.front(y);
        p_.setPen(outline_);
        p_.setBrush(QColor(46, 50, 56));
        p_.drawPath(circlePath(t, cx, cz, r));
        QPen ring(QColor(120, 126, 134), 0.8);
        ring.setCosmetic(true);
        p_.setPen(ring);
        p_.setBrush(Qt::NoBrush);
        for (double k : {0.85, 0.68, 0.5, 0.32})
            p_.drawPath(circlePath(t, cx, cz, r * k));
        for (int i = 0; i < 4; ++i) {
            const double a = std::numbers::pi / 4 + i * std::numbers::pi / 2;
            p_.drawLine(t.map(QPointF(cx + 0.16 * r * std::cos(a), cz + 0.16 * r * std::sin(a))),
                        t.map(QPointF(cx + r * std::cos(a), cz + r * std::sin(a))));
        }
        p_.setPen(outline_);
        p_.setBrush(QColor(150, 156, 164));
        p_.drawPath(circlePath(t, cx, cz, r * 0.16));
    }

    void lamp(double x, double y, double z, double r, QColor c) {
        p_.setPen(outline_);
        p_.setBrush(c);
        p_.drawPath(circlePath(v_.front(y), x, z, r));
    }

    void hatchSide(double x, double y, double z, double dy, double dz, int lines) {
        QPen fin(QColor(150, 156, 162), 0.7);
        fin.setCosmetic(true);
        p_.setPen(fin);
        const QTransform t = v_.side(x);
        for (int i = 1; i < lines; ++i) {
            const double u = y + dy * i / lines;
            p_.drawLine(t.map(QPointF(u, z + 20)), t.map(QPointF(u, z + dz - 20)));
        }
    }

  private:
    QPainter& p_;
    const Oblique& v_;
    QPen outline_;
};

AssetUnit representative(const PictureVariant& variant) {
    AssetUnit u;
    switch (variant.family) {
        case UnitFamily::Condensing:
            u.kindCode = "out";
            break;
        case UnitFamily::Receiver:
            u.kindCode = "agr";
            break;
        case UnitFamily::Rack:
            u.kindCode = "mka";
            break;
        case UnitFamily::Chiller:
            u.kindCode = "glco";
            break;
    }
    u.count1 = variant.compressors;
    u.capacity = 18.0 * variant.compressors;
    if (variant.fans) {
        u.condenser = "C";
        u.condenserCount = 1;
        u.fans = variant.compressors <= 2 ? 1 : 2;
        u.fanPower = 0.3;
    }
    return u;
}

void paintBackground(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kPictureHeight);
    sky.setColorAt(0, QColor(250, 251, 253));
    sky.setColorAt(1, QColor(218, 225, 232));
    p.fillRect(QRect(0, 0, kPictureWidth, kPictureHeight), sky);
}

}  // namespace

PictureVariant PictureVariant::of(const AssetUnit& unit) {
    PictureVariant v;
    v.family = familyOf(unit.kindCode);
    v.compressors = std::clamp(std::max(unit.count1, 0) + std::max(unit.count2, 0), 1, 5);
    v.fans = !unit.condenser.empty() && unit.condenserCount > 0 && unit.fans > 0;
    return v;
}

std::string PictureVariant::fileName() const {
    std::string kind;
    switch (family) {
        case UnitFamily::Condensing:
            kind = "out";
            break;
        case UnitFamily::Receiver:
            kind = "agr";
            break;
        case UnitFamily::Rack:
            kind = "mka";
            break;
        case UnitFamily::Chiller:
            kind = "chiller";
            break;
    }
    return kind + "_" + std::to_string(compressors) + "k" + (fans ? "_fan" : "") + ".jpg";
}

QImage renderUnitPicture(const PictureVariant& variant) {
    const AssetUnit unit = representative(variant);
    const UnitGeometry g = unitGeometry(unit);

    // Fit the projected bounding box of the unit into the picture with a margin.
    const Oblique unitView(1.0, QPointF(0, 0));
    QRectF bounds;
    for (double x : {0.0, double(g.length)})
        for (double y : {0.0, double(g.depth)})
            for (double z : {0.0, double(g.height)})
                bounds |= QRectF(unitView.p(x, y, z), QSizeF(0.001, 0.001));
    const double margin = 34;
    const double s = std::min((kPictureWidth - 2 * margin) / bounds.width(),
                              (kPictureHeight - 2 * margin) / bounds.height());
    const QPointF origin((kPictureWidth - s * bounds.width()) / 2 - s * bounds.left(),
                         (kPictureHeight - s * bounds.height()) / 2 - s * bounds.top() + 6);
    const Oblique view(s, origin);

    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    paintBackground(p);

    // Soft floor shadow.
    {
        const QPointF c = view.p(g.length / 2.0, g.depth / 2.0, 0);
        const double rx = s * g.length * 0.62, ry = s * g.depth * 0.42 + 10;
        QRadialGradient shadow(c, rx);
        shadow.setColorAt(0, QColor(0, 0, 0, 70));
        shadow.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shadow);
        p.drawEllipse(c, rx, ry);
    }

    Scene scene(p, view);
    const QColor steel(70, 80, 92);
    const QColor bodyBlue(52, 98, 140);
    const QColor copper(191, 120, 62);
    const double midY = g.depth / 2.0;

    scene.box(0, 0, 0, g.length, g.depth, g.frameHeight, steel);

    if (g.hasVessel) {
        const double r = g.vesselDiameter / 2.0;
        const double x0 = g.bayStart - 40;
        const double x1 = x0 + g.vesselLength;
        const bool chiller = g.family == UnitFamily::Chiller;
        for (double x : {x0 + 80, x1 - 120})
            scene.box(x, midY - r * 0.8, g.frameHeight, 40, r * 1.6, 50, steel.lighter(120));
        scene.lying(x0, x1, midY, g.frameHeight + 30 + r, r,
                    chiller ? QColor(38, 40, 44) : QColor(150, 164, 150));
        if (chiller) {
            for (double dz : {-0.45 * r, 0.45 * r})
                scene.lying(x1, x1 + 140, midY, g.frameHeight + 30 + r + dz, r * 0.18,
                            QColor(60, 110, 170));
        }
    }

    // Suction header behind the compressors and the discharge line to the condenser.
    const double backY = g.depth - 90;
    const double headerZ = g.compBase + g.compHeight + 40;
    const double firstX = g.bayStart + g.compLength / 2.0;
    const double lastX = firstX + (g.compressors - 1) * double(g.compLength + g.compGap);
    const double pipeEnd = g.hasCondenser ? g.condX + 60.0 : lastX + g.compLength * 0.6;
    scene.pipe({{firstX - 80, backY, headerZ}, {pipeEnd, backY, headerZ}}, 38, QColor(34, 36, 40));
    if (g.hasCondenser)
        scene.pipe({{lastX, backY - 60, g.compBase + g.compHeight * 0.55},
                    {g.condX + 40.0, backY - 60, g.compBase + g.compHeight * 0.55}},
                   22, copper);

    const double r = std::min(g.compLength, g.compDepth) * 0.45;
    for (int i = 0; i < g.compressors; ++i) {
        const double cx = firstX + i * double(g.compLength + g.compGap);
        scene.box(cx - r * 1.1, midY - r * 1.1, g.compBase - 20, r * 2.2, r * 2.2, 20,
                  steel.lighter(130));
        scene.upright(cx, midY, r, g.compBase, g.compBase + g.compHeight * 0.78, bodyBlue);
        scene.upright(cx, midY, r * 0.55, g.compBase + g.compHeight * 0.78,
                      g.compBase + g.compHeight * 0.86, bodyBlue.darker(115));
        scene.box(cx - r * 0.35, midY - r - 40, g.compBase + g.compHeight * 0.35, r * 0.7, 60,
                  r * 0.55, QColor(64, 68, 74));
        scene.pipe({{cx, midY, g.compBase + g.compHeight * 0.86},
                    {cx, midY, headerZ - 20},
                    {cx, backY, headerZ}},
                   26, copper);
    }

    if (g.hasPanel) {
        const QColor panel(226, 229, 232);
        scene.box(g.panelX, 60, g.frameHeight, g.panelWidth, g.depth - 260, g.panelHeight, panel);
        const double zTop = g.frameHeight + g.panelHeight;
        scene.box(g.panelX + g.panelWidth / 2.0 - 4, 56, g.frameHeight + 40, 8, 4,
                  g.panelHeight - 80, panel.darker(140));
        const QColor lamps[] = {QColor(60, 170, 80), QColor(235, 190, 40), QColor(210, 60, 50)};
        for (int i = 0; i < 3; ++i)
            scene.lamp(g.panelX + 90 + i * 70.0, 58, zTop - 120, 22, lamps[i]);
        scene.box(g.panelX + g.panelWidth - 150, 50, zTop - 200, 80, 10, 80, QColor(230, 200, 40));
    }

    if (g.hasCondenser) {
        const QColor casing(216, 221, 226);
        const double y0 = g.depth / 2.0 - g.condDepth / 2.0;
        scene.box(g.condX, y0, g.frameHeight, g.condLength, g.condDepth, g.condHeight, casing);
        scene.hatchSide(g.condX + g.condLength, y0, g.frameHeight, g.condDepth, g.condHeight, 14);
        const double pitch = g.fanDiameter + 120;
        for (int row = 0; row < g.fanRows; ++row)
            for (int k = 0; k < g.fansPerRow; ++k)
                scene.fan(g.condX + 100 + pitch * (k + 0.5), y0,
                          g.frameHeight + 100 + pitch * (row + 0.5), g.fanDiameter / 2.0);
    }
    p.end();
    return image;
}

QImage renderNoPicture() {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(image.rect(), QColor(240, 242, 244));

    const QColor ink(150, 156, 164);
    const QRectF frame(kPictureWidth / 2.0 - 80, 90, 160, 120);
    p.setPen(QPen(ink, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({QPointF(frame.left() + 18, frame.bottom() - 16),
                             QPointF(frame.left() + 62, frame.top() + 48),
                             QPointF(frame.left() + 92, frame.top() + 80),
                             QPointF(frame.left() + 108, frame.top() + 64),
                             QPointF(frame.right() - 18, frame.bottom() - 16)}));
    p.drawEllipse(QPointF(frame.right() - 36, frame.top() + 32), 13, 13);

    QFont font("DejaVu Sans");
    font.setPixelSize(24);
    p.setFont(font);
    p.setPen(QColor(110, 116, 124));
    p.drawText(QRectF(0, 232, kPictureWidth, 40), Qt::AlignCenter | Qt::TextSingleLine,
               QString::fromUtf8("Нет изображения"));
    p.end();
    return image;
}

QByteArray encodeJpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", 85))
        return {};
    return bytes;
}

}  // namespace tundrix::datagen
