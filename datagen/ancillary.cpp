#include "datagen/ancillary.h"

#include <cmath>
#include <limits>

#include <nlohmann/json.hpp>

namespace tundrix::datagen {

bool Ancillary::read(const nlohmann::json& entry, std::string* err) {
    try {
        const std::string form = entry.at("form").get<std::string>();
        if (form == "exp_Tr_over_T") {
            form_ = Form::ExpTrOverT;
        } else if (form == "exp") {
            form_ = Form::Exp;
        } else if (form == "one_plus") {
            form_ = Form::OnePlus;
        } else {
            if (err)
                *err = "unknown ancillary form '" + form + "'";
            return false;
        }
        tReduce_ = entry.at("T_reduce_K").get<double>();
        reduceValue_ = entry.at("reduce_value").get<double>();
        n_ = entry.at("n").get<std::vector<double>>();
        t_ = entry.at("t").get<std::vector<double>>();
    } catch (const nlohmann::json::exception& e) {
        if (err)
            *err = std::string("ancillary: ") + e.what();
        n_.clear();
        return false;
    }
    if (n_.size() != t_.size() || n_.empty() || tReduce_ <= 0) {
        if (err)
            *err = "ancillary: coefficient arrays differ in length or are empty";
        n_.clear();
        return false;
    }
    return true;
}

double Ancillary::operator()(double T) const {
    const double theta = 1.0 - T / tReduce_;
    if (!(theta >= 0) || T <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    double s = 0;
    for (std::size_t i = 0; i < n_.size(); ++i)
        s += n_[i] * std::pow(theta, t_[i]);
    switch (form_) {
        case Form::ExpTrOverT:
            return reduceValue_ * std::exp(tReduce_ / T * s);
        case Form::Exp:
            return reduceValue_ * std::exp(s);
        case Form::OnePlus:
            return reduceValue_ * (1.0 + s);
    }
    return std::numeric_limits<double>::quiet_NaN();
}

double Ancillary::inverse(double value, double tLow) const {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    double lo = tLow;
    double hi = tReduce_;
    const double target = std::log(value);
    auto f = [&](double T) { return std::log((*this)(T)) - target; };
    const double flo = f(lo);
    if (!(flo <= 0) || !(value <= (*this)(hi)))
        return nan;
    // Newton on ln(value) against T with a numerical slope; a step that leaves the bracket is
    // replaced by bisection, so the iteration cannot wander.
    double T = 0.5 * (lo + hi);
    for (int it = 0; it < 200; ++it) {
        const double fT = f(T);
        if (fT == 0)
            return T;
        if (fT < 0) {
            lo = T;
        } else {
            hi = T;
        }
        const double dT = 1e-6 * T;
        const double slope =
            T + dT < tReduce_ ? (f(T + dT) - f(T - dT)) / (2 * dT) : (fT - f(T - dT)) / dT;
        double next = T - fT / slope;
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        if (std::abs(next - T) <= 1e-13 * T)
            return next;
        T = next;
        if (hi - lo <= 1e-13 * T)
            return T;
    }
    return T;
}

}  // namespace tundrix::datagen
