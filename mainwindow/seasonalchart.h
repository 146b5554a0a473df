// The year of a condensing unit at the engineer's conditions, drawn on the window's canvas: the
// hours of each outdoor temperature bin as bars, the load and the unit's capacity as lines.
#pragma once

#include <QWidget>

#include <vector>

#include "seasonal/unitseasonal.h"

namespace tundrix {

class SeasonalChart : public QWidget {
public:
    explicit SeasonalChart(QWidget* parent = nullptr);

    // The bins to draw (none: an empty chart with the text why).
    void setYear(std::vector<YearBin> year, QString emptyText);
    const std::vector<YearBin>& year() const { return year_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<YearBin> year_;
    QString emptyText_;
};

}  // namespace tundrix
