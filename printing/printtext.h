// Text on a printed page, shared by every document: a font of a given line height on the page's
// device, and text that keeps to its box (condensed sideways down to 60 %, then cut with "…").
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <string_view>

class QPaintDevice;
class QPainter;

namespace tundrix {

// The documents' texts come from the catalogue and the core as UTF-8.
inline QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// A font whose line height (ascent + descent) is `height` device units on `device`.
QFont fontWithHeight(QFont base, int height, QPaintDevice* device);

// Text with its top left corner at (x, y) in the given colour, no wider than `maxWidth` when
// that is positive.
void textOut(QPainter& p, int x, int y, const QString& text, const QColor& colour,
             int maxWidth = 0);

}  // namespace tundrix
