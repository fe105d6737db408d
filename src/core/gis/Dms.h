#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vemo::gis {

// An angle in decimal degrees as degrees, minutes and seconds to 0.0001″ (about 3 mm on the ground),
// CP932: "35°41′57.1306″".  The seconds are rounded once on the whole angle, so 59.99996″ carries into
// the next minute instead of showing "60.0000″".  A negative angle starts with "-".
std::string FormatDms(double degrees);

// Decimal degrees with 9 decimals (about 0.1 mm): "35.699202942".
std::string FormatDecimalDegrees(double degrees);

// An angle typed by the surveyor: decimal degrees ("35.6992") or degrees, minutes and seconds separated
// by blanks or the marks ° ′ ″ (also ' and ", in CP932 or ASCII): "35 41 57.1306", "35°41′57.1306″".
// Minutes and seconds must be below 60.  Nothing for anything else.
std::optional<double> ParseAngle(std::string_view cp932Text);

} // namespace vemo::gis
