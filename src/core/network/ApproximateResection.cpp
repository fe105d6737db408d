#include "core/network/ApproximateResection.h"

#include "core/network/NetworkGeometry.h"

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

namespace vemo::network {

namespace {

using Sight = ResectionTies::Sight;
using Position = std::pair<double, double>;
using Locus = std::function<Position(double)>; // a curve the point lies on, by a parameter in [0, 2π)

double AngleAt(const Position& p, const Sight& from, const Sight& to) {
    return Positive(Bearing(p.first, p.second, to.x, to.y) - Bearing(p.first, p.second, from.x, from.y));
}

// The parameters of the locus where the observed angle from `a` to `b` holds: sign changes of the
// angle's misfit along the curve (leaving out the jumps of a full turn), refined by bisection.
std::vector<Position> Roots(const Locus& locus, const Sight& a, const Sight& b, double observed) {
    constexpr int kSteps = 3600;
    auto misfit = [&](double t) { return Wrap(AngleAt(locus(t), a, b) - observed); };
    std::vector<Position> roots;
    double t0 = 0.0, f0 = misfit(0.0);
    for (int i = 1; i <= kSteps; ++i) {
        const double t1 = kTwoPi * i / kSteps, f1 = misfit(t1);
        if ((f0 < 0.0) != (f1 < 0.0) && std::abs(f0 - f1) < 1.0) {
            double lo = t0, hi = t1, flo = f0;
            for (int k = 0; k < 60; ++k) {
                const double mid = 0.5 * (lo + hi), fm = misfit(mid);
                if ((fm < 0.0) == (flo < 0.0)) {
                    lo = mid;
                    flo = fm;
                } else {
                    hi = mid;
                }
            }
            roots.push_back(locus(0.5 * (lo + hi)));
        }
        t0 = t1;
        f0 = f1;
    }
    return roots;
}

// How badly a position fits every tie: angles in units of about 20″, distances of 1 cm.
double Misfit(const ResectionTies& ties, const Position& p) {
    double sum = 0.0;
    for (const auto& set : ties.sets) {
        for (size_t i = 1; i < set.size(); ++i) {
            sum += std::pow(Wrap(AngleAt(p, set[0], set[i]) - Positive(set[i].value - set[0].value)) / 1e-4, 2);
        }
    }
    for (const Sight& d : ties.distances) {
        sum += std::pow((std::hypot(p.first - d.x, p.second - d.y) - d.value) / 0.01, 2);
    }
    for (const Sight& r : ties.rays) {
        const double s = std::hypot(p.first - r.x, p.second - r.y);
        sum += std::pow(s * Wrap(Bearing(r.x, r.y, p.first, p.second) - r.value) / 0.01, 2);
    }
    return sum;
}

void Candidates(const ResectionTies& ties, std::vector<Position>& out) {
    for (const auto& set : ties.sets) {
        for (size_t i = 0; i < set.size(); ++i) {
            for (size_t j = 0; j < set.size(); ++j) {
                if (i == j) {
                    continue;
                }
                const double angle = Positive(set[j].value - set[i].value);
                for (const Sight& d : ties.distances) {
                    if (d.x == set[i].x && d.y == set[i].y) {
                        const Locus circle = [&](double t) {
                            return Position{d.x + d.value * std::cos(t), d.y + d.value * std::sin(t)};
                        };
                        const auto roots = Roots(circle, set[i], set[j], angle);
                        out.insert(out.end(), roots.begin(), roots.end());
                    }
                }
                // The circles through i and j on which i–j shows the observed angle, then the third sight.
                const double c = std::hypot(set[j].x - set[i].x, set[j].y - set[i].y);
                const double s = std::sin(angle);
                if (j < i || std::abs(s) < 1e-6 || c <= 0.0) {
                    continue;
                }
                const double radius = c / (2.0 * std::abs(s));
                const double h = std::sqrt(std::max(0.0, radius * radius - c * c / 4.0));
                const double mx = 0.5 * (set[i].x + set[j].x), my = 0.5 * (set[i].y + set[j].y);
                for (size_t k = 0; k < set.size(); ++k) {
                    if (k == i || k == j) {
                        continue;
                    }
                    for (const double side : {1.0, -1.0}) {
                        const double cx = mx - side * h * (set[j].y - set[i].y) / c;
                        const double cy = my + side * h * (set[j].x - set[i].x) / c;
                        const Locus circle = [&](double t) {
                            return Position{cx + radius * std::cos(t), cy + radius * std::sin(t)};
                        };
                        for (const Position& p : Roots(circle, set[i], set[k], Positive(set[k].value - set[i].value))) {
                            if (std::abs(Wrap(AngleAt(p, set[i], set[j]) - angle)) < 1e-6) {
                                out.push_back(p);
                            }
                        }
                    }
                }
            }
        }
    }
}

} // namespace

std::optional<Position> Resect(const ResectionTies& ties) {
    std::vector<Position> candidates;
    Candidates(ties, candidates);
    std::optional<Position> best;
    double bestMisfit = std::numeric_limits<double>::infinity();
    for (const Position& p : candidates) {
        // A root at a known point itself is where the angle is undefined, not a position.
        bool onKnown = false;
        for (const auto& set : ties.sets) {
            for (const Sight& k : set) {
                onKnown = onKnown || std::hypot(p.first - k.x, p.second - k.y) < 1e-3;
            }
        }
        const double m = Misfit(ties, p);
        if (!onKnown && m < bestMisfit) {
            bestMisfit = m;
            best = p;
        }
    }
    return best;
}

} // namespace vemo::network
