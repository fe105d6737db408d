#include "core/files/RegistryMapParser.h"

#include "core/files/Fields.h"
#include "core/files/Utf8Repair.h"
#include "core/io/SafeReplace.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesRegistryMap.h"

#include <expat.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <unordered_map>

namespace vemo {

namespace {

constexpr std::string_view kMapNamespace = "http://www.moj.go.jp/MINJI/tizuxml";
constexpr char kNamespaceSeparator = '|';
constexpr std::size_t kProblemsKept = 200;

enum class Tag {
    Other,
    Root,
    MapName,
    CityCode,
    CityName,
    CoordinateSystem,
    DatumKind,
    Point,
    Curve,
    Surface,
    X,
    Y,
    DirectPosition,
    PointRef,
    Exterior,
    Interior,
    Generator,
    Parcel,
    BoundaryPoint,
    ControlPoint,
    Sheet,
    Oaza,
    Chome,
    Koaza,
    OazaCode,
    ChomeCode,
    Chiban,
    Shape,
    Precision,
    CoordinateKind,
    PointNumberName,
    ControlName,
    ControlKind,
};

const std::unordered_map<std::string_view, Tag>& Tags() {
    static const std::unordered_map<std::string_view, Tag> tags{
        {"地図", Tag::Root},
        {"地図名", Tag::MapName},
        {"市区町村コード", Tag::CityCode},
        {"市区町村名", Tag::CityName},
        {"座標系", Tag::CoordinateSystem},
        {"測地系判別", Tag::DatumKind},
        {"GM_Point", Tag::Point},
        {"GM_Curve", Tag::Curve},
        {"GM_Surface", Tag::Surface},
        {"X", Tag::X},
        {"Y", Tag::Y},
        {"GM_Position.direct", Tag::DirectPosition},
        {"GM_PointRef.point", Tag::PointRef},
        {"GM_SurfaceBoundary.exterior", Tag::Exterior},
        {"GM_SurfaceBoundary.interior", Tag::Interior},
        {"GM_CompositeCurve.generator", Tag::Generator},
        {"筆", Tag::Parcel},
        {"筆界点", Tag::BoundaryPoint},
        {"基準点", Tag::ControlPoint},
        {"図郭", Tag::Sheet},
        {"大字名", Tag::Oaza},
        {"丁目名", Tag::Chome},
        {"小字名", Tag::Koaza},
        {"大字コード", Tag::OazaCode},
        {"丁目コード", Tag::ChomeCode},
        {"地番", Tag::Chiban},
        {"形状", Tag::Shape},
        {"精度区分", Tag::Precision},
        {"座標値種別", Tag::CoordinateKind},
        {"点番名", Tag::PointNumberName},
        {"名称", Tag::ControlName},
        {"基準点種別", Tag::ControlKind},
    };
    return tags;
}

std::string_view LocalName(std::string_view name) {
    const std::size_t bar = name.rfind(kNamespaceSeparator);
    return bar == std::string_view::npos ? name : name.substr(bar + 1);
}

const char* Attribute(const XML_Char** attributes, const char* wanted) {
    for (int i = 0; attributes[i] != nullptr; i += 2) {
        if (std::strcmp(LocalName(attributes[i]).data(), wanted) == 0) {
            return attributes[i + 1];
        }
    }
    return nullptr;
}

std::string_view TrimXmlSpace(std::string_view text) {
    const char* spaces = " \t\r\n";
    const std::size_t first = text.find_first_not_of(spaces);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(spaces) - first + 1);
}

} // namespace

struct RegistryMapParser::State {
    explicit State(std::string label) : fileLabel(std::move(label)) {
        parser = XML_ParserCreateNS("UTF-8", kNamespaceSeparator);
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &State::OnStart, &State::OnEnd);
        XML_SetCharacterDataHandler(parser, &State::OnText);
    }
    ~State() { XML_ParserFree(parser); }

    XML_Parser parser;
    std::string fileLabel;
    Utf8Repair repair;
    std::string repaired;
    RegistryMapDocument doc;
    std::vector<Tag> stack;
    std::string text;
    bool collecting = false;

    // The object being read.
    std::uint32_t point = kNoMapId;
    std::uint32_t curve = kNoMapId;
    std::uint32_t surface = kNoMapId;
    bool inExterior = false;
    bool inDirect = false;
    double x = 0;
    double y = 0;
    bool haveX = false;
    bool haveY = false;
    enum class Subject { None, Parcel, BoundaryPoint, ControlPoint } subject = Subject::None;

    std::size_t Line() const { return XML_GetCurrentLineNumber(parser); }

    void Problem(std::string message) {
        ++doc.problemCount;
        if (doc.problems.size() < kProblemsKept) {
            doc.problems.push_back({Line(), std::move(message)});
        }
    }

    std::uint32_t PointNumber(const char* id) {
        const std::uint32_t n = doc.pointIds.Of(id);
        if (n >= doc.points.size()) {
            doc.points.resize(n + 1);
            doc.points[n].line = Line();
        }
        return n;
    }
    std::uint32_t CurveNumber(const char* id) {
        const std::uint32_t n = doc.curveIds.Of(id);
        if (n >= doc.curves.size()) {
            doc.curves.resize(n + 1);
            doc.curves[n].line = Line();
        }
        return n;
    }
    // The vertices of the curve being read follow one another, since one curve is read at a time.
    void AddVertex(std::uint32_t kept) {
        doc.curveVertices.push_back(kept);
        ++doc.curves[curve].count;
    }
    std::uint32_t SurfaceNumber(const char* id) {
        const std::uint32_t n = doc.surfaceIds.Of(id);
        if (n >= doc.surfaces.size()) {
            doc.surfaces.resize(n + 1);
            doc.surfaces[n].line = Line();
        }
        return n;
    }

    static bool Leaf(Tag tag) {
        return tag >= Tag::Oaza || tag == Tag::X || tag == Tag::Y || (tag >= Tag::MapName && tag <= Tag::DatumKind);
    }

    static void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
        static_cast<State*>(data)->Start(name, attributes);
    }
    static void OnEnd(void* data, const XML_Char* name) { static_cast<State*>(data)->End(name); }
    static void OnText(void* data, const XML_Char* s, int length) {
        auto* state = static_cast<State*>(data);
        if (state->collecting) {
            state->text.append(s, static_cast<std::size_t>(length));
        }
    }

    void Start(const XML_Char* qualified, const XML_Char** attributes) {
        const std::string_view name = qualified;
        auto found = Tags().find(LocalName(name));
        const Tag tag = found == Tags().end() ? Tag::Other : found->second;
        if (stack.empty() && tag == Tag::Root && name.substr(0, name.rfind(kNamespaceSeparator)) == kMapNamespace) {
            doc.rootSeen = true;
        }
        stack.push_back(tag);
        text.clear();
        collecting = Leaf(tag);
        switch (tag) {
        case Tag::Point:
            if (const char* id = Attribute(attributes, "id")) {
                point = PointNumber(id);
                haveX = haveY = false;
            }
            break;
        case Tag::Curve:
            if (const char* id = Attribute(attributes, "id")) {
                curve = CurveNumber(id);
                // A curve given again is the later one: its vertices start anew.
                MapCurve& c = doc.curves[curve];
                c.line = Line();
                c.first = static_cast<std::uint32_t>(doc.curveVertices.size());
                c.count = 0;
            }
            break;
        case Tag::Surface:
            if (const char* id = Attribute(attributes, "id")) {
                surface = SurfaceNumber(id);
                doc.surfaces[surface].line = Line();
            }
            break;
        case Tag::DirectPosition:
            inDirect = true;
            haveX = haveY = false;
            break;
        case Tag::PointRef:
            if (const char* id = Attribute(attributes, "idref"); id && curve != kNoMapId) {
                AddVertex(PointNumber(id));
            }
            break;
        case Tag::Exterior:
            inExterior = true;
            break;
        case Tag::Interior:
            if (surface != kNoMapId) {
                ++doc.surfaces[surface].interiorRings;
            }
            break;
        case Tag::Generator:
            if (const char* id = Attribute(attributes, "idref"); id && surface != kNoMapId && inExterior) {
                doc.surfaces[surface].exterior.push_back(CurveNumber(id));
            }
            break;
        case Tag::Parcel:
            subject = Subject::Parcel;
            doc.parcels.push_back({});
            doc.parcels.back().line = Line();
            break;
        case Tag::BoundaryPoint:
        case Tag::ControlPoint:
            subject = tag == Tag::BoundaryPoint ? Subject::BoundaryPoint : Subject::ControlPoint;
            doc.namedPoints.push_back({});
            doc.namedPoints.back().control = tag == Tag::ControlPoint;
            doc.namedPoints.back().line = Line();
            break;
        case Tag::Sheet:
            ++doc.sheets;
            break;
        case Tag::Shape:
            Shape(attributes);
            break;
        default:
            break;
        }
    }

    void Shape(const XML_Char** attributes) {
        const char* id = Attribute(attributes, "idref");
        if (id == nullptr || stack.size() < 2) {
            return;
        }
        const Tag parent = stack[stack.size() - 2];
        if (parent == Tag::Parcel && subject == Subject::Parcel) {
            doc.parcels.back().surface = SurfaceNumber(id);
        } else if ((parent == Tag::BoundaryPoint || parent == Tag::ControlPoint) && subject != Subject::None &&
                   subject != Subject::Parcel) {
            doc.namedPoints.back().point = PointNumber(id);
        }
    }

    double Coordinate(std::string_view value, const char* utf8Label, bool& ok) {
        double v = 0;
        auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), v);
        if (value.empty() || error != std::errc() || end != value.data() + value.size() || !(v == v) ||
            v > kMaxCoordinate || v < -kMaxCoordinate) {
            Problem(msg::MapCoordinateUnreadable(Jp(utf8Label), Utf8ToCp932(value).value_or("?")));
            ok = false;
            return 0;
        }
        ok = true;
        return v;
    }

    void End(const XML_Char* /*name*/) {
        const Tag tag = stack.back();
        stack.pop_back();
        const Tag parent = stack.empty() ? Tag::Other : stack.back();
        collecting = false;
        const std::string_view value = TrimXmlSpace(text);
        switch (tag) {
        case Tag::X:
        case Tag::Y:
            if (point != kNoMapId || inDirect) {
                bool ok = false;
                const double v = Coordinate(value, tag == Tag::X ? "X座標" : "Y座標", ok);
                (tag == Tag::X ? x : y) = v;
                (tag == Tag::X ? haveX : haveY) = ok;
            }
            break;
        case Tag::Point:
            EndPoint();
            break;
        case Tag::DirectPosition:
            if (curve != kNoMapId && haveX && haveY) {
                AddVertex(static_cast<std::uint32_t>(doc.inPlacePositions.size()) | kInPlaceVertex);
                doc.inPlacePositions.emplace_back(x, y);
            }
            inDirect = false;
            break;
        case Tag::Curve:
            if (curve != kNoMapId) {
                doc.curves[curve].defined = true;
            }
            curve = kNoMapId;
            break;
        case Tag::Surface:
            if (surface != kNoMapId) {
                doc.surfaces[surface].defined = true;
            }
            surface = kNoMapId;
            break;
        case Tag::Exterior:
            inExterior = false;
            break;
        case Tag::Parcel:
        case Tag::BoundaryPoint:
        case Tag::ControlPoint:
            subject = Subject::None;
            break;
        default:
            Text(tag, parent, value);
            break;
        }
    }

    void EndPoint() {
        if (point == kNoMapId) {
            return;
        }
        MapPoint& p = doc.points[point];
        if (haveX && haveY) {
            if (p.defined) {
                Problem(msg::MapIdTwice(doc.pointIds.Name(point)));
            }
            p.x = x;
            p.y = y;
            p.defined = true;
            p.line = Line();
        }
        point = kNoMapId;
    }

    void Text(Tag tag, Tag parent, std::string_view value) {
        if (parent == Tag::Root) {
            std::string* header = tag == Tag::MapName            ? &doc.mapName
                                  : tag == Tag::CityCode         ? &doc.cityCode
                                  : tag == Tag::CityName         ? &doc.cityName
                                  : tag == Tag::CoordinateSystem ? &doc.coordinateSystem
                                  : tag == Tag::DatumKind        ? &doc.datumKind
                                                                 : nullptr;
            if (header != nullptr) {
                header->assign(value);
            }
            return;
        }
        if (parent == Tag::Parcel && subject == Subject::Parcel) {
            MapParcel& parcel = doc.parcels.back();
            std::string* field = tag == Tag::Oaza             ? &parcel.oaza
                                 : tag == Tag::Chome          ? &parcel.chome
                                 : tag == Tag::Koaza          ? &parcel.koaza
                                 : tag == Tag::OazaCode       ? &parcel.oazaCode
                                 : tag == Tag::ChomeCode      ? &parcel.chomeCode
                                 : tag == Tag::Chiban         ? &parcel.chiban
                                 : tag == Tag::Precision      ? &parcel.precision
                                 : tag == Tag::CoordinateKind ? &parcel.coordinateKind
                                                              : nullptr;
            if (field != nullptr) {
                field->assign(value);
            }
            return;
        }
        if ((parent == Tag::BoundaryPoint || parent == Tag::ControlPoint) && subject != Subject::None) {
            MapNamedPoint& named = doc.namedPoints.back();
            if (tag == Tag::PointNumberName || tag == Tag::ControlName) {
                named.name.assign(value);
            } else if (tag == Tag::ControlKind) {
                named.kind.assign(value);
            }
        }
    }

    void Parse(std::string_view bytes, bool last) {
        repaired.clear();
        repair.Feed(bytes, last, repaired);
        if (XML_Parse(parser, repaired.data(), static_cast<int>(repaired.size()), last) == XML_STATUS_ERROR) {
            throw Error(
                msg::MapNotXml(fileLabel, XML_GetCurrentLineNumber(parser), XML_ErrorString(XML_GetErrorCode(parser))));
        }
    }
};

RegistryMapParser::RegistryMapParser(std::string fileLabel) : state_(std::make_unique<State>(std::move(fileLabel))) {}

RegistryMapParser::~RegistryMapParser() = default;

void RegistryMapParser::Feed(std::string_view bytes) {
    // XML_Parse takes an int length: hand a huge piece over in slices.
    constexpr std::size_t kSlice = 1 << 26;
    while (bytes.size() > kSlice) {
        state_->Parse(bytes.substr(0, kSlice), false);
        bytes.remove_prefix(kSlice);
    }
    state_->Parse(bytes, false);
}

RegistryMapDocument RegistryMapParser::Finish() {
    state_->Parse({}, true);
    RegistryMapDocument& doc = state_->doc;
    if (!doc.rootSeen) {
        throw Error(msg::NotRegistryMap(state_->fileLabel));
    }
    // What growing the lists left over is given back: a city's document is kept while the surveyor chooses.
    for (MapIds* ids : {&doc.pointIds, &doc.curveIds, &doc.surfaceIds}) {
        ids->Compact();
    }
    doc.points.shrink_to_fit();
    doc.curves.shrink_to_fit();
    doc.curveVertices.shrink_to_fit();
    doc.inPlacePositions.shrink_to_fit();
    doc.surfaces.shrink_to_fit();
    doc.parcels.shrink_to_fit();
    doc.namedPoints.shrink_to_fit();
    const Utf8Repair& repair = state_->repair;
    if (repair.RepairCount() > 0) {
        doc.problems.insert(doc.problems.begin(),
                            MapProblem{repair.RepairedLines().front(),
                                       msg::MapBytesRepaired(repair.RepairCount(), repair.RepairedLines())});
        ++doc.problemCount;
    }
    return std::move(doc);
}

RegistryMapDocument ParseRegistryMapText(std::string_view text, std::string fileLabel) {
    RegistryMapParser parser(std::move(fileLabel));
    parser.Feed(text);
    return parser.Finish();
}

RegistryMapDocument ReadRegistryMapXml(const std::filesystem::path& path) {
    const std::string label = MessagePath(path);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        throw Error(msg::CannotOpenMap(label));
    }
    RegistryMapParser parser(label);
    std::string buffer(1 << 20, '\0');
    while (true) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
        if (got > 0) {
            parser.Feed(std::string_view(buffer.data(), got));
        }
        if (got < buffer.size()) {
            if (std::ferror(file.get())) {
                throw Error(msg::CannotOpenMap(label));
            }
            break;
        }
    }
    return parser.Finish();
}

} // namespace vemo
