#include "core/network/GkfReader.h"

#include "core/network/GkfCovariance.h"

#include "core/io/BoundedRead.h"
#include "core/network/NetworkGeometry.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesNetwork.h"

#include <expat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <numbers>
#include <sstream>
#include <vector>

namespace vemo {

void NetworkAxes::ToNorthEast(double x, double y, double& north, double& east) const {
    north = x * std::cos(xBearing) + y * std::cos(yBearing);
    east = x * std::sin(xBearing) + y * std::sin(yBearing);
}

void NetworkAxes::FromNorthEast(double north, double east, double& x, double& y) const {
    x = north * std::cos(xBearing) + east * std::sin(xBearing);
    y = north * std::cos(yBearing) + east * std::sin(yBearing);
}

namespace {

constexpr double kGon = std::numbers::pi / 200.0;
constexpr double kDegree = std::numbers::pi / 180.0;

std::optional<double> Number(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> AxisBearing(char axis) {
    switch (axis) {
    case 'n':
        return 0.0;
    case 'e':
        return std::numbers::pi / 2.0;
    case 's':
        return std::numbers::pi;
    case 'w':
        return 1.5 * std::numbers::pi;
    default:
        return std::nullopt;
    }
}

// An observation as written, resolved once every point and the angular unit are known.
struct RawObservation {
    ObservationKind kind;
    std::string from, to, backsight;
    std::string value;
    std::optional<std::string> stdev;
    int set = -1;
    long line = 0;
};

class GkfParser {
public:
    explicit GkfParser(std::string_view fileName) : file_(fileName) {}

    GkfNetwork Parse(std::string_view xml) {
        XML_Parser parser = XML_ParserCreate(nullptr);
        parser_ = parser;
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &GkfParser::OnStart, &GkfParser::OnEnd);
        XML_SetCharacterDataHandler(parser, &GkfParser::OnText);
        const bool ok = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) == XML_STATUS_OK;
        const long line = static_cast<long>(XML_GetCurrentLineNumber(parser));
        const std::string reason = ok ? "" : XML_ErrorString(XML_GetErrorCode(parser));
        XML_ParserFree(parser);
        parser_ = nullptr;
        if (failure_) {
            throw Error(*failure_);
        }
        if (!ok) {
            throw Error(msg::GkfAtLine(file_, line, msg::GkfNotWellFormed(reason)));
        }
        if (!sawRoot_) {
            throw Error(msg::GkfAtLine(file_, 1, msg::GkfNotNetwork()));
        }
        Resolve();
        return std::move(result_);
    }

private:
    using Attributes = std::map<std::string, std::string>;

    static void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
        auto* self = static_cast<GkfParser*>(data);
        Attributes map;
        for (int i = 0; attributes[i] != nullptr; i += 2) {
            map[attributes[i]] = attributes[i + 1];
        }
        self->Guard([&] { self->Start(name, map); });
    }
    static void OnEnd(void* data, const XML_Char* name) {
        auto* self = static_cast<GkfParser*>(data);
        self->Guard([&] { self->End(name); });
    }
    static void OnText(void* data, const XML_Char* text, int length) {
        auto* self = static_cast<GkfParser*>(data);
        if (self->inDescription_) {
            self->description_.append(text, static_cast<size_t>(length));
        } else if (self->inCovariance_) {
            self->covariance_.append(text, static_cast<size_t>(length));
        }
    }

    // A refusal stops the parser; the message is thrown once expat has let go.
    template <typename F> void Guard(F&& f) {
        if (failure_) {
            return;
        }
        try {
            f();
        } catch (const Error& error) {
            failure_ = error.what();
            XML_StopParser(parser_, XML_FALSE);
        }
    }

    [[noreturn]] void Fail(const std::string& what) const { throw Error(msg::GkfAtLine(file_, Line(), what)); }
    long Line() const { return parser_ ? static_cast<long>(XML_GetCurrentLineNumber(parser_)) : 0; }

    static std::string Text(const std::string& utf8) { return Utf8ToCp932(utf8).value_or(utf8); }

    std::string Required(const std::string& element, const Attributes& a, const std::string& key) const {
        const auto it = a.find(key);
        if (it == a.end()) {
            Fail(msg::GkfMissing(element, key));
        }
        return it->second;
    }

    std::optional<std::string> Optional(const Attributes& a, const std::string& key) const {
        const auto it = a.find(key);
        return it == a.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

    void Start(const std::string& name, const Attributes& a) {
        if (name == "gama-local") {
            sawRoot_ = true;
        } else if (!sawRoot_) {
            Fail(msg::GkfNotNetwork());
        } else if (name == "network") {
            Network(a);
        } else if (name == "description") {
            inDescription_ = true;
        } else if (name == "parameters") {
            Parameters(a);
        } else if (name == "points-observations") {
            for (const char* key : {"direction-stdev", "angle-stdev", "azimuth-stdev", "distance-stdev"}) {
                if (auto v = Optional(a, key)) {
                    defaults_[key] = *v;
                }
            }
        } else if (name == "point" && inCoordinates_) {
            ObservedPoint(a);
        } else if (name == "point") {
            Point(a);
        } else if (name == "coordinates") {
            inCoordinates_ = true;
            observed_.clear();
            variances_.reset();
        } else if (name == "cov-mat" && inCoordinates_) {
            CovarianceStart(a);
        } else if (name == "obs") {
            station_ = Optional(a, "from").value_or("");
            set_ = -1;
        } else if (name == "direction" || name == "distance" || name == "angle" || name == "azimuth") {
            Observe(name, a);
        } else {
            Fail(msg::GkfUnsupported(name));
        }
    }

    void End(const std::string& name) {
        if (name == "description") {
            inDescription_ = false;
        } else if (name == "cov-mat") {
            CovarianceEnd();
        } else if (name == "coordinates") {
            inCoordinates_ = false;
            Constrain();
        } else if (name == "obs") {
            station_.clear();
            set_ = -1;
        }
    }

    void Network(const Attributes& a) {
        const std::string axes = Optional(a, "axes-xy").value_or("ne");
        const auto bx = axes.size() == 2 ? AxisBearing(axes[0]) : std::nullopt;
        const auto by = axes.size() == 2 ? AxisBearing(axes[1]) : std::nullopt;
        if (!bx || !by || std::abs(std::abs(network::Wrap(*by - *bx)) - std::numbers::pi / 2.0) > 1e-9) {
            Fail(msg::GkfBadValue("axes-xy", axes));
        }
        result_.axes = {*bx, *by};
        const std::string angles = Optional(a, "angles").value_or("left-handed");
        if (angles != "left-handed" && angles != "right-handed") {
            Fail(msg::GkfBadValue("angles", angles));
        }
        clockwise_ = angles == "left-handed";
    }

    void Parameters(const Attributes& a) {
        if (auto v = Optional(a, "sigma-apr")) {
            const auto n = Number(*v);
            if (!n || *n <= 0.0) {
                Fail(msg::GkfBadValue("sigma-apr", *v));
            }
            result_.sigmaApriori = *n;
        }
        if (auto v = Optional(a, "conf-pr")) {
            const auto n = Number(*v);
            if (!n || *n <= 0.0 || *n >= 1.0) {
                Fail(msg::GkfBadValue("conf-pr", *v));
            }
            result_.network.confidence = *n;
        }
        if (auto v = Optional(a, "sigma-act")) {
            if (*v != "apriori" && *v != "aposteriori") {
                Fail(msg::GkfBadValue("sigma-act", *v));
            }
            result_.network.useAposterioriSigma = *v == "aposteriori";
        }
    }

    void Point(const Attributes& a) {
        NetworkPoint point;
        const std::string id = Required("point", a, "id");
        point.name = Text(id);
        const auto fix = Optional(a, "fix");
        const auto adj = Optional(a, "adj");
        for (const auto& role : {fix, adj}) {
            if (role && *role != "xy" && *role != "XY" && !role->empty()) {
                Fail(msg::GkfUnsupportedPointRole(*role));
            }
        }
        const auto x = Optional(a, "x");
        const auto y = Optional(a, "y");
        if (x.has_value() != y.has_value()) {
            Fail(msg::GkfMissing("point", x ? "y" : "x"));
        }
        if (x) {
            const auto nx = Number(*x), ny = Number(*y);
            if (!nx || !ny) {
                Fail(msg::GkfBadValue(nx ? "y" : "x", nx ? *y : *x));
            }
            result_.axes.ToNorthEast(*nx, *ny, point.x, point.y);
            point.hasCoordinates = true;
        }
        // Marked both fixed and adjusted, a point is fixed (the format gives fix the precedence).  Upper
        // case "XY" to adjust are constrained coordinates: in a free network they carry its datum.
        if (fix && !fix->empty()) {
            point.role = NetworkPointRole::Fixed;
        } else if (adj && !adj->empty()) {
            point.role = NetworkPointRole::Adjusted;
            point.datum = *adj == "XY";
        } else if (point.hasCoordinates) {
            point.role = NetworkPointRole::Fixed;
        }
        if (point.role == NetworkPointRole::Fixed && !point.hasCoordinates) {
            Fail(msg::GkfMissing("point", "x"));
        }
        const auto found = index_.find(point.name);
        if (found != index_.end()) {
            result_.network.points[static_cast<size_t>(found->second)] = point; // a later line completes it
            return;
        }
        index_[point.name] = static_cast<int>(result_.network.points.size());
        result_.network.points.push_back(point);
    }

    // Control coordinates (<coordinates>): the points with their coordinates, then one covariance matrix
    // for all of them (x, y of each point in turn, mm²).  They become known points held by their
    // standard deviations; a point the file fixes stays fixed.  Coordinates that depend on each other
    // (covariances off the diagonal) and heights are refused.
    void ObservedPoint(const Attributes& a) {
        const std::string id = Required("point", a, "id");
        if (Optional(a, "z")) {
            Fail(msg::GkfUnsupported("coordinates z"));
        }
        const auto x = Number(Required("point", a, "x")), y = Number(Required("point", a, "y"));
        if (!x || !y) {
            Fail(msg::GkfBadValue(x ? "y" : "x", x ? *Optional(a, "y") : *Optional(a, "x")));
        }
        Observed point{Text(id), 0.0, 0.0};
        result_.axes.ToNorthEast(*x, *y, point.north, point.east);
        observed_.push_back(point);
    }

    void CovarianceStart(const Attributes& a) {
        const std::string dim = Required("cov-mat", a, "dim"), band = Required("cov-mat", a, "band");
        const auto d = Number(dim), b = Number(band);
        if (!d || *d != 2.0 * static_cast<double>(observed_.size())) {
            Fail(msg::GkfBadValue("dim", dim));
        }
        if (!b || *b < 0 || *b >= *d || *b != std::floor(*b)) {
            Fail(msg::GkfBadValue("band", band));
        }
        covarianceDim_ = static_cast<int>(*d);
        covarianceBand_ = static_cast<int>(*b);
        covariance_.clear();
        inCovariance_ = true;
    }

    void CovarianceEnd() {
        inCovariance_ = false;
        bool correlated = false;
        variances_ = network::BandVariances(covariance_, covarianceDim_, covarianceBand_, correlated);
        if (!variances_ || std::any_of(variances_->begin(), variances_->end(), [](double v) { return !(v > 0.0); })) {
            Fail(msg::GkfBadValue("cov-mat", std::string(TrimView(covariance_))));
        }
        if (correlated) {
            Fail(msg::GkfCorrelatedCoordinates());
        }
    }

    void Constrain() {
        if (observed_.empty()) {
            return;
        }
        if (!variances_) {
            Fail(msg::GkfNoSigma("coordinates"));
        }
        // The file's x axis runs north-south or east-west: its variance is the northing's or the easting's.
        const bool xNorthSouth = std::abs(std::cos(result_.axes.xBearing)) > 0.5;
        for (size_t k = 0; k < observed_.size(); ++k) {
            const double sx = std::sqrt((*variances_)[2 * k]) / 1000.0,
                         sy = std::sqrt((*variances_)[2 * k + 1]) / 1000.0;
            auto found = index_.find(observed_[k].name);
            if (found == index_.end()) {
                found = index_.emplace(observed_[k].name, static_cast<int>(result_.network.points.size())).first;
                result_.network.points.push_back(NetworkPoint{observed_[k].name});
            }
            NetworkPoint& point = result_.network.points[static_cast<size_t>(found->second)];
            if (point.role == NetworkPointRole::Fixed) {
                continue;
            }
            point.role = NetworkPointRole::Constrained;
            point.hasCoordinates = true;
            point.x = observed_[k].north;
            point.y = observed_[k].east;
            point.sigmaX = xNorthSouth ? sx : sy;
            point.sigmaY = xNorthSouth ? sy : sx;
        }
    }

    void Observe(const std::string& name, const Attributes& a) {
        RawObservation o;
        o.line = Line();
        o.from = Text(Optional(a, "from").value_or(station_));
        if (o.from.empty()) {
            Fail(msg::GkfMissing(name, "from"));
        }
        o.value = Required(name, a, "val");
        o.stdev = Optional(a, "stdev");
        if (name == "angle") {
            o.kind = ObservationKind::Angle;
            o.backsight = Text(Required(name, a, "bs"));
            o.to = Text(Required(name, a, "fs"));
        } else {
            o.to = Text(Required(name, a, "to"));
            o.kind = name == "direction"  ? ObservationKind::Direction
                     : name == "distance" ? ObservationKind::Distance
                                          : ObservationKind::Azimuth;
        }
        if (o.kind == ObservationKind::Direction) {
            if (set_ < 0) {
                set_ = result_.network.directionSets++;
            }
            o.set = set_;
        }
        raw_.push_back(std::move(o));
    }

    int PointIndex(const std::string& name, long line) const {
        const auto it = index_.find(name);
        if (it == index_.end()) {
            throw Error(msg::GkfAtLine(file_, line, msg::GkfUnknownPoint(name)));
        }
        return it->second;
    }

    // Angles and standard deviations once the unit of the file is known: d-m-s anywhere makes it
    // degrees (standard deviations in seconds), else gon (standard deviations in 0.0001 gon).
    void Resolve() {
        bool degrees = false;
        for (const RawObservation& o : raw_) {
            if (o.kind != ObservationKind::Distance) {
                bool dms = false;
                ParseGkfAngle(o.value, dms);
                degrees = degrees || dms;
            }
        }
        result_.degrees = degrees;
        const double angleSigmaUnit = degrees ? kDegree / 3600.0 : kGon / 10000.0;
        for (const RawObservation& raw : raw_) {
            Observation o;
            o.kind = raw.kind;
            o.set = raw.set;
            o.from = PointIndex(raw.from, raw.line);
            o.to = PointIndex(raw.to, raw.line);
            if (!raw.backsight.empty()) {
                o.backsight = PointIndex(raw.backsight, raw.line);
            }
            if (o.kind == ObservationKind::Distance) {
                Distance(raw, o);
            } else {
                Angular(raw, o, angleSigmaUnit);
            }
            result_.network.observations.push_back(o);
        }
        result_.network.description = Text(std::string(TrimView(description_)));
    }

    void Distance(const RawObservation& raw, Observation& o) const {
        const auto value = Number(raw.value);
        if (!value || *value <= 0.0) {
            throw Error(msg::GkfAtLine(file_, raw.line, msg::GkfBadValue("val", raw.value)));
        }
        o.value = *value;
        if (raw.stdev) {
            const auto s = Number(*raw.stdev);
            if (!s) {
                throw Error(msg::GkfAtLine(file_, raw.line, msg::GkfBadValue("stdev", *raw.stdev)));
            }
            o.sigma = *s / 1000.0;
            return;
        }
        const auto it = defaults_.find("distance-stdev");
        if (it == defaults_.end()) {
            throw Error(msg::GkfAtLine(file_, raw.line, msg::GkfNoSigma("distance")));
        }
        std::istringstream parts(it->second);
        std::string a, b, c;
        parts >> a >> b >> c;
        const auto na = Number(a);
        const auto nb = b.empty() ? std::optional<double>(0.0) : Number(b);
        const auto nc = c.empty() ? std::optional<double>(1.0) : Number(c);
        if (!na || !nb || !nc) {
            throw Error(msg::GkfAtLine(file_, raw.line, msg::GkfBadValue("distance-stdev", it->second)));
        }
        o.sigma = (*na + *nb * std::pow(*value / 1000.0, *nc)) / 1000.0;
    }

    void Angular(const RawObservation& raw, Observation& o, double sigmaUnit) const {
        bool dms = false;
        const auto value = ParseGkfAngle(raw.value, dms);
        if (!value) {
            throw Error(msg::GkfAtLine(file_, raw.line, msg::GkfBadValue("val", raw.value)));
        }
        // Azimuths count from north whatever the axes (the published azimuth networks of axes south-west
        // give the bearing from north); like every angle they turn clockwise unless the file says not.
        o.value = network::Positive(clockwise_ ? *value : -*value);
        const char* key = o.kind == ObservationKind::Direction ? "direction-stdev"
                          : o.kind == ObservationKind::Angle   ? "angle-stdev"
                                                               : "azimuth-stdev";
        std::optional<std::string> text = raw.stdev;
        if (!text) {
            const auto it = defaults_.find(key);
            if (it == defaults_.end()) {
                throw Error(msg::GkfAtLine(file_, raw.line, msg::GkfNoSigma(key)));
            }
            text = it->second;
        }
        const auto sigma = Number(*text);
        if (!sigma) {
            throw Error(msg::GkfAtLine(file_, raw.line, msg::GkfBadValue("stdev", *text)));
        }
        o.sigma = *sigma * sigmaUnit;
    }

    std::string file_;
    XML_Parser parser_ = nullptr;
    GkfNetwork result_;
    std::optional<std::string> failure_;
    std::map<std::string, int> index_;
    std::map<std::string, std::string> defaults_;
    std::vector<RawObservation> raw_;
    std::string station_;
    std::string description_;
    int set_ = -1;
    bool sawRoot_ = false;
    bool inDescription_ = false;
    bool clockwise_ = true;
    struct Observed {
        std::string name;
        double north, east;
    };
    std::vector<Observed> observed_;
    std::optional<std::vector<double>> variances_;
    std::string covariance_;
    int covarianceDim_ = 0;
    int covarianceBand_ = 0;
    bool inCoordinates_ = false;
    bool inCovariance_ = false;
};

} // namespace

std::optional<double> ParseGkfAngle(std::string_view text, bool& degrees) {
    std::string s(text);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) {
        s.erase(0, 1);
    }
    double sign = 1.0;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        sign = s.front() == '-' ? -1.0 : 1.0;
        s.erase(0, 1);
    }
    if (s.find('-') == std::string::npos) {
        const auto gon = Number(s);
        return gon ? std::optional<double>(sign * *gon * kGon) : std::nullopt;
    }
    std::vector<std::string> parts;
    std::istringstream in(s);
    for (std::string part; std::getline(in, part, '-');) {
        parts.push_back(part);
    }
    if (parts.size() != 3) {
        return std::nullopt;
    }
    const auto d = Number(parts[0]), m = Number(parts[1]), sec = Number(parts[2]);
    // Seconds of exactly 60 occur in published field books ("187-33-60.00"): read them as they add up.
    if (!d || !m || !sec || *m < 0.0 || *m >= 60.0 || *sec < 0.0 || *sec > 60.0) {
        return std::nullopt;
    }
    degrees = true;
    return sign * (*d + *m / 60.0 + *sec / 3600.0) * kDegree;
}

GkfNetwork ParseGkf(std::string_view xml, std::string_view fileName) {
    return GkfParser(fileName).Parse(xml);
}

GkfNetwork ReadGkfFile(const std::filesystem::path& path) {
    // A network of tens of thousands of observations is a few megabytes; far more is not a network file.
    constexpr std::uintmax_t kMaxBytes = 256u << 20;
    const ReadResult read = ReadBoundedFile(path, kMaxBytes);
    if (!read.bytes) {
        throw Error(msg::GkfCannotRead(path.string()));
    }
    return ParseGkf(*read.bytes, path.filename().string());
}

} // namespace vemo
