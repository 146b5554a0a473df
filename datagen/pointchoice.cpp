#include "datagen/pointchoice.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tundrix::datagen {

namespace {

using Row = std::array<double, 10>;

// The monomials in the fit's order, in centred and scaled coordinates so that the columns are
// of similar size and the determinant compares point sets fairly.
struct Scaling {
    double toMid, tcMid, s;
    explicit Scaling(const Envelope& e)
        : toMid(0.5 * (e.toMin() + e.toMax())),
          tcMid(0.5 * (e.tcMin() + e.tcMax())),
          s(std::max(1.0, 0.5 * std::max(e.toMax() - e.toMin(), e.tcMax() - e.tcMin()))) {}
    Row row(const GridPoint& p) const {
        const double u = (p.to - toMid) / s;
        const double v = (p.tc - tcMid) / s;
        return {1, u, v, u * u, u * v, v * v, u * u * u, u * u * v, u * v * v, v * v * v};
    }
};

// LU with row pivoting over the rows given: for column k the remaining row with the largest
// entry in that column becomes pivot k. Returns the rows in pivot order (at most ten) and, via
// logDet, log |det| of the first ten pivots (-inf when a pivot vanishes).
std::vector<int> pivotOrder(std::vector<Row> rows, double* logDet = nullptr) {
    std::vector<int> index(rows.size());
    std::iota(index.begin(), index.end(), 0);
    std::vector<int> order;
    double ld = 0;
    for (int k = 0; k < 10 && k < int(rows.size()); ++k) {
        int best = k;
        for (int r = k + 1; r < int(rows.size()); ++r)
            if (std::abs(rows[r][k]) > std::abs(rows[best][k]))
                best = r;
        std::swap(rows[k], rows[best]);
        std::swap(index[k], index[best]);
        const double pivot = rows[k][k];
        order.push_back(index[k]);
        // A pivot this small means the points lie on one cubic curve (in scaled units).
        if (std::abs(pivot) < 1e-12) {
            ld = -INFINITY;
            continue;
        }
        ld += std::log(std::abs(pivot));
        for (int r = k + 1; r < int(rows.size()); ++r) {
            const double f = rows[r][k] / pivot;
            for (int j = k; j < 10; ++j)
                rows[r][j] -= f * rows[k][j];
        }
    }
    if (logDet)
        *logDet = ld;
    return order;
}

double logAbsDet(const std::vector<Row>& rows) {
    double ld = 0;
    pivotOrder(rows, &ld);
    return ld;
}

}  // namespace

std::vector<GridPoint> gridPointsInside(const Envelope& envelope, double step) {
    std::vector<GridPoint> pts;
    const double toFirst = std::ceil(envelope.toMin() / step) * step;
    const double tcFirst = std::ceil(envelope.tcMin() / step) * step;
    for (double tc = tcFirst; tc <= envelope.tcMax(); tc += step)
        for (double to = toFirst; to <= envelope.toMax(); to += step)
            if (envelope.contains(to, tc))
                pts.push_back({to, tc});
    return pts;
}

bool chooseFitPoints(const Envelope& envelope, const std::vector<GridPoint>& candidates,
                     std::array<GridPoint, 10>& chosen) {
    if (candidates.size() < 10)
        return false;
    const Scaling scaling(envelope);
    std::vector<Row> all;
    for (const auto& p : candidates)
        all.push_back(scaling.row(p));

    // Greedy start: the pivot order of the whole candidate matrix.
    std::vector<int> pick = pivotOrder(all);
    auto rowsOf = [&](const std::vector<int>& idx) {
        std::vector<Row> r;
        for (int i : idx)
            r.push_back(all[i]);
        return r;
    };
    double best = logAbsDet(rowsOf(pick));
    if (!std::isfinite(best))
        return false;

    // Exchange: a candidate replaces a chosen point whenever that raises the determinant.
    for (bool changed = true; changed;) {
        changed = false;
        for (int place = 0; place < 10; ++place) {
            for (int c = 0; c < int(all.size()); ++c) {
                if (std::find(pick.begin(), pick.end(), c) != pick.end())
                    continue;
                std::vector<int> trial = pick;
                trial[place] = c;
                const double ld = logAbsDet(rowsOf(trial));
                if (ld > best + 1e-12) {
                    best = ld;
                    pick = trial;
                    changed = true;
                }
            }
        }
    }

    // Leja order: the pivot order of the ten chosen points alone.
    const std::vector<int> order = pivotOrder(rowsOf(pick));
    for (int i = 0; i < 10; ++i)
        chosen[i] = candidates[pick[order[i]]];
    return true;
}

bool chooseFitPoints(const Envelope& envelope, std::array<GridPoint, 10>& chosen) {
    return chooseFitPoints(envelope, gridPointsInside(envelope), chosen);
}

}  // namespace tundrix::datagen
