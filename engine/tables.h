// Interpolation in the catalogue's tables: header-bounded sequences, table blocks of a grid
// image, two-way tables and long tables interpolated over a moving window.
#pragma once

#include <span>
#include <vector>

#include "catalogue/byteimage.h"
#include "engine/linear.h"

namespace tundrix {

// A header sequence ends at two consecutive values below this in absolute value.
inline constexpr double kEndMarkerLevel = 0.0001;

// End-marker position of a sequence: the first k >= 1 at which v[k] and v[k+1] are both below
// kEndMarkerLevel; the sequence's points are 0..k-1. A single zero inside (0 degC) does not end
// it. Values past the end of the span count as zero, so the result never exceeds v.size()
// (0 for an empty span, 1 for a single value).
int endMarker(std::span<const double> v);

// Spline over a window of a long table (X ascending, points 0..L-1 up to its end marker): the
// window is the first m points when x lies in the first intervals, the last m points near the
// end, otherwise the 2(m div 2)+1 points centred on the interval holding x. The interval is
// found by bisection; x below X[1] counts as the first interval and x at or beyond the last
// point as the last one (the end pieces then extrapolate). A window never reaches past the
// table's points.
double splinewindow(std::span<const double> X, std::span<const double> Y, int m, double x);
// The same with the end-marker position L of X already known.
double splinewindow(std::span<const double> X, int L, std::span<const double> Y, int m, double x);

// One block of a grid image: row keys down column c0 from row r0+1, column keys along row r0
// from column c0+1, body to the lower right. Only the data points are kept (no 81 KB matrix).
struct TableBlock {
    int rows = 0;              // data rows (points 0..rows-1 of the row keys)
    int cols = 0;              // data columns
    std::vector<double> R;     // row keys, rows values
    std::vector<double> C;     // column keys, cols values
    std::vector<double> body;  // rows x cols, row-major; exactly 0.0 marks a missing point

    double at(int p, int q) const { return body[std::size_t(p) * std::size_t(cols) + q]; }
};

// At most 99 data rows and 99 data columns form a block (what fits a point vector together
// with its two end markers); a longer key run is cut there.
inline constexpr int kMaxBlockKeys = 99;

// Corner columns of a compressor's four blocks in a performance table image.
inline constexpr int kCapacityColumn = 2;   // cooling capacity, kW
inline constexpr int kPowerColumn = 32;     // power input, kW
inline constexpr int kHeatColumn = 47;      // heat rejection, kW
inline constexpr int kCurrentColumn = 62;   // current, A

// Extracts the block whose corner is (r0, c0); cells outside the image read as 0, so a block at
// the image's edge simply ends there.
TableBlock gettable(const GridImage& image, int r0, int c0);

// Two-stage interpolation: along the row keys at xr in every column (skipping body entries of
// exactly 0.0), then along the column keys at xc (skipping columns whose value is exactly 0.0
// and columns with no data at all).
double spline2d(const TableBlock& block, double xc, double xr);
// The same over point vectors and a body matrix, the key counts found from their end markers.
double spline2d(std::span<const double> R, std::span<const double> C, const Massvv& B, double xc,
                double xr);

}  // namespace tundrix
