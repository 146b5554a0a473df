// Interpolation in the catalogue's tables: header-bounded sequences, table blocks of a grid
// image, two-way tables and long tables interpolated over a moving window.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <tuple>
#include <vector>

#include "catalogue/byteimage.h"
#include "engine/linear.h"
#include "engine/spline.h"

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
inline constexpr int kCapacityColumn = 2;  // cooling capacity, kW
inline constexpr int kPowerColumn = 32;    // power input, kW
inline constexpr int kHeatColumn = 47;     // heat rejection, kW
inline constexpr int kCurrentColumn = 62;  // current, A

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

// splinewindow over one long table with the spline of every window solved ahead: a lookup only
// finds its window and evaluates. Gives splinewindow(X, L, Y, m, x) to the bit; window sizes
// other than odd ones of at least 3 points are not prepared and take the direct way.
class PreparedWindows {
  public:
    PreparedWindows() = default;  // no value (NaN)
    PreparedWindows(std::span<const double> X, int L, std::span<const double> Y, int m);
    double operator()(double x) const;

    // The same in two steps, for tables that share their abscissae: the prepared window x lies
    // in (-1 when x takes the direct way), then the value of that window at x.
    int find(double x) const;
    double at(int window, double x) const;
    // Whether `other` has the same points X (bit for bit), L and m: then find gives the same.
    bool sameAbscissae(const PreparedWindows& other) const;

  private:
    int L_ = 0;
    int m_ = 0;
    int n_ = -1;                  // last point of every window; -1 when not prepared
    std::vector<double> X_, Y_;   // the table's points 0..L-1
    std::vector<double> pieces_;  // a, b, c, d of each window's n + 1 points, window by window
};

// A table block with the curve of every column along the row keys solved ahead, so that a
// lookup solves only the curve across the columns. Gives spline2d(block, xc, xr) to the bit.
class PreparedBlock {
  public:
    explicit PreparedBlock(TableBlock block);
    double operator()(double xc, double xr) const;
    // Whether the image still holds this block at corner (r0, c0): the same keys, end markers
    // and body, bit for bit.
    bool matches(const GridImage& image, int r0, int c0) const;

  private:
    TableBlock block_;                    // what the curves were solved from
    std::vector<double> keys_;            // column keys of the columns holding data
    std::vector<CompactSpline> columns_;  // their curves along the row keys
};

// The prepared blocks of the performance table images in use, each made on its first lookup and
// kept from run to run. Images are reloaded between runs (possibly with other contents of the
// same size within the same second), so the first lookup of a block in a run compares it with
// the image and prepares it anew when anything differs; within a run the images stay as they
// are. At most kMaxBlocks are kept; beyond that the store starts afresh.
class PreparedTables {
  public:
    static constexpr std::size_t kMaxBlocks = 4096;

    // Starts a run: every block is checked against its image again on its next lookup.
    void beginRun() { ++run_; }
    const PreparedBlock& block(const GridImage& image, int r0, int c0);
    std::size_t size() const { return blocks_.size(); }

  private:
    struct Entry {
        PreparedBlock block;
        std::uint64_t checkedRun;
    };
    using Key = std::tuple<const GridImage*, int, int>;
    std::map<Key, Entry> blocks_;
    std::uint64_t run_ = 0;
};

}  // namespace tundrix
