#include "PublishedResult.h"

#include <expat.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

struct Reader {
    PublishedResult result;
    std::vector<std::string> path;
    std::string text;
    std::string id;
    PublishedPoint point;
    PublishedObservation observation;
    std::vector<double> covariance;
    int dimension = 0;
    int band = 0;
    bool inAdjusted = false;

    void Start(const std::string& name) {
        path.push_back(name);
        text.clear();
        if (name == "adjusted") {
            inAdjusted = true;
        } else if (name == "direction" || name == "distance" || name == "angle" || name == "azimuth") {
            observation = PublishedObservation{name, "", "", 0.0, 0.0};
        }
    }

    bool Within(const std::string& name) const { return path.size() >= 2 && path[path.size() - 2] == name; }

    void End(const std::string& name) {
        const std::string value = text;
        if (name == "adjusted") {
            inAdjusted = false;
        } else if (inAdjusted && name == "id") {
            id = value.substr(value.find_first_not_of(" \n"));
            id = id.substr(0, id.find_last_not_of(" \n") + 1);
        } else if (inAdjusted && name == "x") {
            point.x = std::stod(value);
        } else if (inAdjusted && name == "y") {
            point.y = std::stod(value);
        } else if (inAdjusted && name == "point") {
            result.order.push_back(id);
            result.points[id] = point;
        } else if (name == "apriori" && Within("standard-deviation")) {
            result.apriori = std::stod(value);
        } else if (name == "aposteriori" && Within("standard-deviation")) {
            result.aposteriori = std::stod(value);
        } else if (name == "lower") {
            result.lower = std::stod(value);
        } else if (name == "upper") {
            result.upper = std::stod(value);
        } else if (name == "degrees-of-freedom") {
            result.degreesOfFreedom = std::stoi(value);
        } else if (name == "dim") {
            dimension = std::stoi(value);
        } else if (name == "band") {
            band = std::stoi(value);
        } else if (name == "flt") {
            covariance.push_back(std::stod(value));
        } else if (name == "from" || name == "to") {
            (name == "from" ? observation.from : observation.to) = value;
        } else if (name == "stdev" && path.size() >= 2) {
            observation.stdev = std::stod(value);
        } else if (name == "std-residual") {
            observation.standardized = std::stod(value);
        } else if (name == "direction" || name == "distance" || name == "angle" || name == "azimuth") {
            result.observations.push_back(observation);
        }
        path.pop_back();
    }

    // The covariance matrix is written as the upper band by rows, the adjusted points' x, y first in
    // their published order.
    void SpreadCovariance() {
        size_t at = 0;
        for (int row = 0; row < dimension; ++row) {
            const int last = std::min(dimension - 1, row + band);
            for (int column = row; column <= last; ++column, ++at) {
                const int point = row / 2;
                if (point >= static_cast<int>(result.order.size()) || column / 2 != point) {
                    continue;
                }
                PublishedPoint& p = result.points[result.order[static_cast<size_t>(point)]];
                if (row == column) {
                    (row % 2 == 0 ? p.varX : p.varY) = covariance.at(at);
                } else {
                    p.covXY = covariance.at(at);
                }
            }
        }
    }
};

} // namespace

PublishedResult ReadPublishedResult(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string xml = bytes.str();
    Reader reader;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &reader);
    XML_SetElementHandler(
        parser, [](void* r, const XML_Char* name, const XML_Char**) { static_cast<Reader*>(r)->Start(name); },
        [](void* r, const XML_Char* name) { static_cast<Reader*>(r)->End(name); });
    XML_SetCharacterDataHandler(parser, [](void* r, const XML_Char* s, int n) {
        static_cast<Reader*>(r)->text.append(s, static_cast<size_t>(n));
    });
    const bool ok = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(parser);
    if (!ok || xml.empty()) {
        throw std::runtime_error("published result unreadable: " + file.string());
    }
    reader.SpreadCovariance();
    return reader.result;
}
