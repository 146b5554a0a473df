// The calculator's drawing area: compressor 1's envelope and the operating point, five pixels
// per kelvin, evaporating temperature across from 300 pixels for 0 °C.
#pragma once

#include <QWidget>

#include <array>

namespace tundrix {

class CalculatorPlot : public QWidget {
public:
    explicit CalculatorPlot(QWidget* parent = nullptr);

    void setPlot(const std::array<double, 12>& envelope, double to, double tc);
    void clear();
    bool hasPlot() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<double, 12> envelope_{};
    double to_ = 0;
    double tc_ = 0;
    bool shown_ = false;
};

}  // namespace tundrix
