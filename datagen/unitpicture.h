// The unit pictures: a clean illustration of the unit's kind and layout (number of compressors,
// with or without a fan condenser) drawn in an oblique projection, shared by all units of the
// same variant, and the neutral "no picture" image. Rendering text needs a QGuiApplication.
#pragma once

#include "datagen/assets.h"
#include "datagen/unitgeometry.h"

#include <QByteArray>
#include <QImage>

#include <string>

namespace tundrix::datagen {

struct PictureVariant {
    UnitFamily family = UnitFamily::Condensing;
    int compressors = 1;  // 1..5
    bool fans = false;    // with an air-cooled fan condenser

    static PictureVariant of(const AssetUnit& unit);
    // File name inside "images", e.g. "mka_3k_fan.jpg".
    std::string fileName() const;
};

inline constexpr int kPictureWidth = 480;
inline constexpr int kPictureHeight = 360;

QImage renderUnitPicture(const PictureVariant& variant);
QImage renderNoPicture();

// JPEG bytes of an image (quality 85); empty when encoding fails.
QByteArray encodeJpeg(const QImage& image);

}  // namespace tundrix::datagen
