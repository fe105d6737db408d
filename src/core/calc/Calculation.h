#pragma once

#include "core/calc/CalcEntry.h"
#include "core/calc/CalcOverlay.h"
#include "core/calc/PointGrid.h"
#include "core/division/Division.h"
#include "core/print/ReportLine.h"
#include "core/transform/Transformation.h"

#include <limits>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

class Store;
struct CalcDefinition;
class CalcArguments;
void CheckArguments(const CalcDefinition& definition, CalcArguments& arguments, bool whileTyping);

// THE WAY A CALCULATION COMES IN.  One definition per calculation says what it takes and runs it; the
// batch tool (`vemo-cli calc ID`) makes its options and help from the inputs, and every caller gets the
// same outcome: the listing, the new points with their proposed names, what the plot draws, warnings.
// A new calculation is a definition in a file of its own (`extern const CalcDefinition kXxxCalculation`)
// and its line in the list of Calculation.cpp.

// What an input holds.  Names are CP932 as the list holds them.
enum class CalcInputKind {
    Point,    // one point name
    Points,   // point names separated by ',' ("A..B" steps from A to B, see CalcArguments::Names)
    Distance, // metres
    Angle,    // packed D.MMSS
    Area,     // square metres
    Number,   // a plain number (a count, millimetres of a tolerance)
    Flag,     // on when given, takes no value
    Text,     // anything the calculation reads itself
    // Composite inputs, each completed by the input named in its `completedBy`:
    Line,   // "A,B" a line through two points, or "A" with a direction (the Angle input completing it)
    Circle, // "C" a centre with a radius (the Distance input completing it), or "P,Q,R" three points on it
    Path,   // "A,B,C,..." a path, each leg with its width (the Text input completing it)
};

struct CalcInput {
    std::string_view id;      // the option's name ("station" is --station); empty for the positional names
    std::string_view caption; // the label beside the field (UTF-8)
    CalcInputKind kind = CalcInputKind::Text;
    bool required = false;
    std::string_view defaultText = {};                         // taken when the input is not given (empty: none)
    double minimum = -std::numeric_limits<double>::infinity(); // for numbers, inclusive
    double maximum = std::numeric_limits<double>::infinity();
    std::string_view help = {};        // one line for the batch tool's help (ASCII)
    std::string_view completedBy = {}; // Line, Circle, Path: the id of the input that completes it
    int count = 0;                     // Points: how many names it takes (0: any number)
};

// A value the surveyor gave that does not fit an input (missing, not a number, out of range): the
// batch tool answers it like a wrong command line.  ASCII text naming the input.
struct CalcInputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The values given to a calculation, by input id, as typed (CP932); a flag given holds "".
// Read after CheckArguments.
class CalcArguments {
public:
    void Set(std::string_view id, std::string value);
    bool Has(std::string_view id) const;
    // The value given, the input's default otherwise, empty when neither.
    const std::string& Text(std::string_view id) const;
    bool Flag(std::string_view id) const { return Has(id); }
    double Number(std::string_view id) const; // 0 for an empty optional number
    std::optional<double> OptionalNumber(std::string_view id) const;
    // The names of a Points input: items separated by ','; an item "A..B" is A, then the names after it
    // up to B as the list holds them (SerialEntryNames), so "T1..T5" gives T1, T2, T3, T4, T5.
    std::vector<std::string> Names(std::string_view id, const Store& store) const;
    // The window runs the calculation while the surveyor is still typing (CheckArguments): a
    // calculation that can show part of its result (a grid with a name not yet in the list) does so
    // rather than refuse.
    bool WhileTyping() const { return whileTyping_; }

private:
    friend void CheckArguments(const CalcDefinition& definition, CalcArguments& arguments, bool whileTyping);
    std::map<std::string, std::string, std::less<>> values_;
    bool whileTyping_ = false;
};

// What one run gives back.
struct CalcOutcome {
    std::vector<std::string> lines;    // the listing (CP932), as the batch tool prints it
    std::vector<CalcPoint> newPoints;  // points to register, named with the proposed names
    std::vector<CalcPoint> handedOver; // existing points the calculation hands on (stake-out targets)
    CalcOverlay overlay;               // what the plot draws
    std::vector<std::string> warnings; // CP932, shown beside the listing
    bool complete = true;              // false when something was left out (named in the warnings)
    std::string reportTitle;           // the printed form's title (UTF-8), empty when it has none
    std::vector<ReportLine> report;    // the printed form
    // The centre of a circle given by three points on it, which the surveyor may register under a name
    // of their own; known as soon as the three points are, even while the rest is still missing.
    std::optional<PlanePoint> threePointCentre;
    // The point grids: the result cells of each row and the area lines, as the grid shows them.
    std::vector<GridRowCells> gridRows;
    AreaLines area;
    // The transformation: its fit and control pairs, which the window's registration applies.
    std::optional<TransformRun> transform;
    // The division: the dividing points and both parts, which the window's registration dialog takes.
    std::optional<DivisionResult> division;
};

struct CalcDefinition {
    std::string_view id;      // the batch tool's name: lower case, '-' between words
    std::string_view caption; // the name the surveyor reads (UTF-8)
    std::string_view summary; // one line for the batch tool's help (ASCII)
    std::span<const CalcInput> inputs;
    // Throws CalcInputError for inputs that do not go together, vemo::Error when the calculation cannot
    // be done (a name not in the list, no solution).
    CalcOutcome (*run)(const CalcArguments& arguments, const Store& store) = nullptr;
    std::string_view label = {}; // the short name on the calculation window's tab button (UTF-8)
    int helpContext = 0;         // the F1 topic of its help page
};

// Every calculation, in the order of the calculation window.
std::span<const CalcDefinition* const> Calculations();
const CalcDefinition* FindCalculation(std::string_view id);

// Fills in the defaults of inputs not given and checks the values against the inputs: required ones
// present, numbers that read as numbers within their range.  Throws CalcInputError.  While the
// surveyor is still typing (`whileTyping`) a required input not given yet passes: the calculation then
// gives what it can, `complete` false, or throws CalcInputError.
void CheckArguments(const CalcDefinition& definition, CalcArguments& arguments, bool whileTyping = false);

// The input a definition has under `id`, or null.
const CalcInput* FindInput(const CalcDefinition& definition, std::string_view id);

// Names as a Points input takes them: joined by ','; an empty name stays an empty item.
std::string NamesText(const std::vector<std::string>& names);

// The point of a name as the calculations take it (the index's coordinates); vemo::Error "<name> は見つかり
// ません" when the list does not hold it.
PlanePoint CalcPointOf(const Store& store, std::string_view name);

// A listing line of a point: name, X, Y ("%-16s%15s%15s", millimetres).
std::string CalcPointLine(std::string_view name, PlanePoint point);

// `count` names for new points: the one after the last row with coordinates, then counted up.
std::vector<std::string> ProposedNames(const Store& store, size_t count);

} // namespace vemo
