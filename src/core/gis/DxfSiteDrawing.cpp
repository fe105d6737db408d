#include "core/gis/DxfSiteDrawing.h"

#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace vemo::gis {
namespace {

// Entities are numbered from here, as GDAL's driver numbers them, clear of the template's own handles.
constexpr unsigned kFirstHandle = 0x20000;
constexpr const char* kTextStyle = "AutoTextStyle-1";
constexpr const char* kTextHeight = "0.5"; // legible at the 1:250 and 1:500 scales of parcel drawings

// A number as GDAL writes it (printf's %.15g): 15 significant digits, no trailing zeros.
void AppendNumber(std::string& out, double value) {
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    out.append(buffer, error == std::errc() ? end : buffer);
}

std::string Hex(unsigned value, int width = 0) {
    char buffer[16];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    std::string hex(buffer, error == std::errc() ? end : buffer);
    std::transform(hex.begin(), hex.end(), hex.begin(), [](char c) { return static_cast<char>(std::toupper(c)); });
    return std::string(hex.size() < static_cast<size_t>(width) ? width - hex.size() : 0, '0') + hex;
}

// The bytes of a CP932 text as an MTEXT value: the few characters MTEXT reads as formatting are written
// so that they stand for themselves.
void AppendEscaped(std::string& out, std::string_view cp932) {
    for (size_t i = 0; i < cp932.size(); ++i) {
        const char c = cp932[i];
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < cp932.size()) {
            out += c; // the second byte of a double-byte character may be a backslash: never escaped
            out += cp932[++i];
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '{' || c == '}') {
            out += '\\'; // a brace alone opens or closes a group of formatting and is not shown
            out += c;
        } else if (c == ' ') {
            out += "\\~";
        } else if (c == '^') {
            out += "^ ";
        } else {
            out += c;
        }
    }
}

// A name (UTF-8) as an MTEXT value in CP932, a character CP932 lacks as its "\U+XXXX" escape.
void AppendMText(std::string& out, std::string_view utf8) {
    if (std::optional<std::string> whole = Utf8ToCp932(utf8)) {
        AppendEscaped(out, *whole);
        return;
    }
    for (size_t at = 0; at < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[at]);
        const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string_view character = utf8.substr(at, length);
        at += character.size();
        if (std::optional<std::string> cp932 = Utf8ToCp932(character)) {
            AppendEscaped(out, *cp932);
            continue;
        }
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t i = 1; i < character.size(); ++i) {
            code = (code << 6) | (static_cast<unsigned char>(character[i]) & 0x3F);
        }
        out += "\\U+" + Hex(static_cast<unsigned>(code), 4);
    }
}

struct Extents {
    double minEast = std::numeric_limits<double>::infinity();
    double minNorth = std::numeric_limits<double>::infinity();
    double maxEast = -std::numeric_limits<double>::infinity();
    double maxNorth = -std::numeric_limits<double>::infinity();
    void Add(PlaneXY p) {
        minEast = std::min(minEast, p.y);
        maxEast = std::max(maxEast, p.y);
        minNorth = std::min(minNorth, p.x);
        maxNorth = std::max(maxNorth, p.x);
    }
    bool Empty() const { return minEast > maxEast; }
};

class EntityWriter {
public:
    explicit EntityWriter(std::string& out) : out_(out) {}

    // A point without a height has no z at all, not a false 0.
    void Point(const std::string& layer, PlaneXY at, std::optional<double> z) {
        Start("POINT", layer, "AcDbPoint");
        Coordinates(at);
        if (z) {
            out_ += " 30\n";
            AppendNumber(out_, *z);
            out_ += '\n';
        }
    }
    void Text(const std::string& layer, PlaneXY at, std::string_view name) {
        Start("MTEXT", layer, "AcDbMText");
        out_ += " 40\n";
        out_ += kTextHeight;
        out_ += "\n  1\n";
        AppendMText(out_, name);
        out_ += "\n  7\n";
        out_ += kTextStyle;
        out_ += '\n';
        Coordinates(at);
    }
    // The ring closed by its flag and by repeating its first vertex, as GDAL's driver wrote it.
    void Outline(const std::string& layer, const std::vector<PlaneXY>& ring) {
        Start("LWPOLYLINE", layer, "AcDbPolyline");
        out_ += " 70\n1\n 90\n";
        out_ += std::to_string(ring.empty() ? 0 : ring.size() + 1);
        out_ += '\n';
        for (const PlaneXY& p : ring) {
            Coordinates(p);
        }
        if (!ring.empty()) {
            Coordinates(ring.front());
        }
    }
    unsigned NextHandle() const { return handle_; }
    const Extents& Bounds() const { return extents_; }

private:
    void Start(const char* type, const std::string& layer, const char* subclass) {
        out_ += "  0\n";
        out_ += type;
        out_ += "\n  5\n";
        out_ += Hex(handle_++);
        out_ += "\n100\nAcDbEntity\n  8\n";
        out_ += layer;
        out_ += "\n100\n";
        out_ += subclass;
        out_ += '\n';
    }
    void Coordinates(PlaneXY p) {
        extents_.Add(p);
        out_ += " 10\n";
        AppendNumber(out_, p.y);
        out_ += "\n 20\n";
        AppendNumber(out_, p.x);
        out_ += '\n';
    }

    std::string& out_;
    unsigned handle_ = kFirstHandle;
    Extents extents_;
};

// The value line after group `code` of header variable `variable` replaced by `value`.
void SetHeaderValue(std::string& header, std::string_view variable, std::string_view code, std::string_view value) {
    const size_t at = header.find("\n" + std::string(variable) + "\n");
    const size_t group = at == std::string::npos ? at : header.find("\n" + std::string(code) + "\n", at);
    if (group == std::string::npos) {
        throw Error(msg::DxfTemplateMissing());
    }
    const size_t start = group + code.size() + 2;
    header.replace(start, header.find('\n', start) - start, value);
}

// `records` put at the end of the header's table `table` (LAYER, STYLE).
void AppendToTable(std::string& header, std::string_view table, std::string_view records) {
    const size_t at = header.find("TABLE\n  2\n" + std::string(table) + "\n");
    const size_t end = at == std::string::npos ? at : header.find("  0\nENDTAB\n", at);
    if (end == std::string::npos) {
        throw Error(msg::DxfTemplateMissing());
    }
    header.insert(end, records);
}

std::string LayerRecord(const std::string& name, unsigned handle) {
    return "  0\nLAYER\n  5\n" + Hex(handle) +
           "\n330\n2\n100\nAcDbSymbolTableRecord\n100\nAcDbLayerTableRecord\n  2\n" + name +
           "\n 70\n     0\n 62\n     7\n  6\nContinuous\n370\n    -3\n390\nF\n";
}

std::string TextStyleRecord(unsigned handle) {
    return "  0\nSTYLE\n  5\n" + Hex(handle) + "\n100\nAcDbSymbolTableRecord\n100\nAcDbTextStyleTableRecord\n  2\n" +
           kTextStyle + "\n 70\n0\n 40\n0.0\n 41\n1.0\n 50\n0.0\n 71\n0\n1001\nACAD\n1071\n0\n";
}

std::string Number(double value) {
    std::string text;
    AppendNumber(text, value);
    return text;
}

// The header with what the entities need: extents, layers, the text style and the next free handle.
std::string CompleteHeader(std::string header, const EntityWriter& entities, const std::vector<std::string>& layers) {
    unsigned handle = entities.NextHandle();
    const Extents& bounds = entities.Bounds();
    if (!bounds.Empty()) {
        SetHeaderValue(header, "$EXTMIN", " 10", Number(bounds.minEast));
        SetHeaderValue(header, "$EXTMIN", " 20", Number(bounds.minNorth));
        SetHeaderValue(header, "$EXTMAX", " 10", Number(bounds.maxEast));
        SetHeaderValue(header, "$EXTMAX", " 20", Number(bounds.maxNorth));
    }
    std::string layerRecords;
    for (const std::string& layer : layers) {
        layerRecords += LayerRecord(layer, handle++);
    }
    AppendToTable(header, "LAYER", layerRecords);
    if (!layers.empty()) {
        AppendToTable(header, "STYLE", TextStyleRecord(handle++));
    }
    SetHeaderValue(header, "$HANDSEED", "  5", Hex(handle, 8));
    return header;
}

// The trailer with every group code right-aligned in three columns, as the rest of the file.
std::string AlignedTrailer(std::string_view trailer) {
    std::string out;
    bool codeLine = true;
    for (size_t start = 0; start < trailer.size();) {
        size_t end = trailer.find('\n', start);
        end = end == std::string_view::npos ? trailer.size() : end;
        std::string_view line = trailer.substr(start, end - start);
        if (codeLine) {
            const size_t first = line.find_first_not_of(' ');
            line = first == std::string_view::npos ? std::string_view() : line.substr(first);
            if (line.size() < 3) {
                out.append(3 - line.size(), ' ');
            }
        }
        out += line;
        out += '\n';
        codeLine = !codeLine;
        start = end + 1;
    }
    return out;
}

} // namespace

std::string DxfSiteDrawing(const ExportData& data, std::string_view header, std::string_view trailer) {
    static const std::string kPointLayer = Jp("点名");
    static const std::string kParcelLayer = Jp("画地");
    std::string entities;
    entities.reserve(data.points.size() * 200 + data.parcels.size() * 4000);
    EntityWriter writer(entities);
    for (const ExportPoint& point : data.points) {
        writer.Point(kPointLayer, point.plane, point.z && std::isfinite(*point.z) ? point.z : std::nullopt);
        writer.Text(kPointLayer, point.plane, point.name);
    }
    for (const ExportParcel& parcel : data.parcels) {
        writer.Outline(kParcelLayer, parcel.ring);
        writer.Text(kParcelLayer, parcel.label, parcel.name);
    }
    std::vector<std::string> layers;
    if (!data.points.empty()) {
        layers.push_back(kPointLayer);
    }
    if (!data.parcels.empty()) {
        layers.push_back(kParcelLayer);
    }
    std::string drawing = CompleteHeader(std::string(header), writer, layers);
    drawing.reserve(drawing.size() + entities.size() + trailer.size() + 64);
    drawing += entities;
    drawing += AlignedTrailer(trailer);
    return drawing;
}

} // namespace vemo::gis
