// The units the garment trade converts between: fabric and silk weights, linear densities and
// yarn counts, lengths and stitch densities.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tradeunits {

// One unit and the units a value in it converts to.
struct Unit {
    std::string_view name;                    // as printed, UTF-8 (e.g. "g/m²")
    std::vector<std::string_view> spellings;  // lower case, without spaces
    struct Target {
        std::string_view unit;  // the printed name of the target unit
        double factor;          // result = value × factor, or factor ÷ value when reciprocal
        bool reciprocal;
    };
    std::vector<Target> targets;
};

// The unit spelled text, ignoring letter case and spaces; null when no unit is spelled so.
const Unit* FindUnit(std::string_view text);

// Every spelling of every unit, joined with ", ", for messages.
std::string UnitSpellings();

// A positive decimal number with a point or a comma as its decimal mark, and nothing else;
// nullopt otherwise.
std::optional<double> ParsePositiveNumber(std::string_view text);

// value rounded to three significant digits, in fixed notation ("5.90", "81.8", "1230").
std::string ThreeSignificantDigits(double value);

}  // namespace tradeunits
