#include "core/zub/ZubTransfer.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsOptions.h"

namespace vemo {

namespace {

void FormatNumberCell(std::string& cell, const char* pattern) {
    if (cell == " ") {
        cell.clear();
    }
    if (!cell.empty()) {
        cell = FormatPattern(StrToFloat(cell), pattern);
    }
}

void FormatRow(TrvsRow& row) {
    for (int col : {kTrvColHAngle, kTrvColVAngle}) {
        FormatNumberCell(row[col], "0.0000");
    }
    for (int col : {kTrvColSlope, kTrvColInstH, kTrvColTargetH}) {
        FormatNumberCell(row[col], "0.000");
    }
    if (row[kTrvColTarget] == " ") {
        row[kTrvColTarget].clear();
    }
}

} // namespace

ZubTraverse CollectZubTraverse(const std::vector<ZubRow>& zubRows) {
    ZubTraverse result;
    bool newStation = false;
    std::string instrumentHeight;
    for (size_t i = 0; i < zubRows.size(); ++i) {
        const ZubRow& z = zubRows[i];
        if (z[0] == "B") {
            result.remark = z[1];
            result.date = z[5];
        } else if (z[0] == "D") {
            newStation = true;
            instrumentHeight = z[3];
            if (result.startName.empty()) {
                result.startName = z[1];
            }
        } else if (z[0] == "F" && IsDirectObservation(z)) {
            TrvsRow row;
            row[kTrvColTarget] = z[kZubTarget];
            row[kTrvColHAngle] = z[kZubHAngle];
            row[kTrvColVAngle] = z[kZubVAngle];
            row[kTrvColSlope] = z[kZubSlope1];
            row[kTrvColInstH] = newStation ? instrumentHeight : std::string();
            row[kTrvColTargetH] = z[kZubTargetHeight];
            newStation = false;
            result.rows.push_back(std::move(row));
            result.sourceRows.push_back(static_cast<int>(i) + 1);
        }
    }
    return result;
}

void TransferZubToTraverse(const std::vector<ZubRow>& zubRows, const TrvsOptions& options, const std::string& today,
                           TrvsHeader& header, TrvsTable& table) {
    ZubTraverse walk = CollectZubTraverse(zubRows);
    for (size_t i = 0; i < walk.rows.size(); ++i) {
        try {
            FormatRow(walk.rows[i]);
        } catch (const Error& e) {
            throw Error(Sprintf(Jp("ZUBの %d 行目: ").c_str(), walk.sourceRows[i]) + e.what());
        }
    }
    for (size_t i = 0; i < walk.rows.size(); ++i) {
        walk.rows[i][kTrvColNo] = std::to_string(i + 1);
        walk.rows[i][kTrvColTm].assign(1, 'K');
    }
    TrvsHeader newHeader = header;
    newHeader.Reset(options, today);
    newHeader.date = walk.date;
    newHeader.remark = walk.remark;
    newHeader.T0No = walk.startName;
    TrvsTable newTable = table;
    newTable.Reset();
    newTable.SetRows(std::move(walk.rows), "K");
    for (int col : {kTrvColInstH, kTrvColTargetH}) {
        if (newTable.Cell(1, col).empty()) {
            newTable.SetCell(1, col, "0.000");
        }
    }
    header = std::move(newHeader);
    table = std::move(newTable);
}

} // namespace vemo
