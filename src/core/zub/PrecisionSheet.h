#pragma once

#include "core/print/ReportLine.h"
#include "core/traverse/SurveyClass.h"
#include "core/traverse/SurveyClassFile.h"
#include "core/traverse/TrvsJudgement.h"
#include "core/zub/ZubStationCheck.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo {

struct AdjustedTraverse;

// A route of the sheet: its ends and its judgement.
struct PrecisionSheetRoute {
    std::string from, to;
    TrvsJudgement judgement;
};

// A distance between two points computed from their coordinates and measured directly.
struct PrecisionSheetDistance {
    std::string from, to;
    double computed = 0;
    double measured = 0;
};

struct PrecisionSheet {
    PrecisionSheetInfo info;
    SurveyClass surveyClass;
    std::vector<PrecisionSheetRoute> routes;
    // The stations of the field book with the limits of the class (a grade); none without a book.
    std::vector<ZubStationFigures> stations;
    std::optional<ObservationLimits> limits;
    // Checked against the distance tolerance of a 精度区分 (the class's, or `cadastralIndex`).
    std::vector<PrecisionSheetDistance> distances;
    int cadastralIndex = -1;
};

// The legs of an adjusted traverse: measured horizontal distance against the distance between the
// adjusted coordinates of its ends (the start point and the station rows that place points).
std::vector<PrecisionSheetDistance> TraverseLegDistances(const AdjustedTraverse& adjusted);

// The 精度管理表 as report lines: the heading, per route its closures with their limits and 適/不適,
// per station its observation differences against their limits, and the distances between points
// against the tolerance of the 精度区分.
std::vector<ReportLine> PrecisionSheetLines(const PrecisionSheet& sheet);

} // namespace vemo
