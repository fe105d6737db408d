#pragma once

#include <string>

namespace vemo {

struct TrvsOptions;

// The fields above the traverse table, held as the texts the surveyor sees (CP932).
struct TrvsHeader {
    int TrvsType = 3; // TrvsTypeIndex
    std::string date; // "yy/mm/dd"
    std::string remark;
    // Start point (器械点): X and Y shown "%11.3f", Z "%9.3f".
    std::string T0No, T0X, T0Y, T0Z = "    0.000";
    // Start backsight (後視点) and the known direction at the start, packed D.MMSS shown "%11.4f".
    std::string T1No, T1Angle;
    // true: T1Angle is the incoming direction, backsight -> start ("入射方向角:");
    // false: the outgoing one, start -> backsight ("出射方向角:").  They differ by 180°.
    bool startIncoming = true;
    // End point and end sighting point (視準点) of a connected traverse.
    std::string T2No, T2X, T2Y, T2Z = "    0.000";
    std::string T3No, T3Angle;
    // true: T3Angle runs from the end sighting point to the end point ("終点入射方向角:").
    bool endIncoming = true;

    std::string StartLabel() const;
    std::string EndLabel() const;
    // Double-clicking a label turns the sense round.
    void ToggleStartLabel() { startIncoming = !startIncoming; }
    void ToggleEndLabel() { endIncoming = !endIncoming; }

    // A new traverse: radial type, today's date, names and remark empty, coordinates and angles zero,
    // the start label from HowDirAgl.  The heights and the end label keep what they had.
    void Reset(const TrvsOptions& options, const std::string& today);
};

// Today as "yy/mm/dd" in local time.
std::string TodayText();

// The numeric header fields as the computation reads them: trimmed, an empty field reading 0 (the
// field's own entry rule would have written "0"); other text stops with the conversion message.
double HeaderNumber(const std::string& field);

// Start and end directions, decimal degrees.
// The start orientation: the direction from the backsight to the start point.
double StartOrientation(const TrvsHeader& header);
// Packed D.MMSS direction from the start point to its backsight (the outgoing direction w).
double StartOutgoingPacked(const TrvsHeader& header);
// Packed D.MMSS direction from the end point to the end sighting point (e).
double EndOutgoingPacked(const TrvsHeader& header);

} // namespace vemo
