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

// value in its shortest form with a point as its decimal mark ("1.5", "200").
std::string ShortestText(double value);

// What value in unit converts to, one line per target unit, UTF-8:
// "VALUE UNIT = RESULT TARGET", the value in its shortest form, the result to three significant
// digits ("200 g/m² = 5.90 oz/yd²").
std::vector<std::string> ConversionLines(double value, const Unit& unit);

// The conversion lines of text when the whole text is a measurement: a positive number and the
// spelling of a unit, with or without spaces between and around them ("200 gsm", "200gsm",
// "5,9 oz", "19 momme"); empty for any other text. text is code page 936 or UTF-8.
std::vector<std::string> MeasurementLines(std::string_view text);

}  // namespace tradeunits
