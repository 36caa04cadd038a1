#include "dictionary/trade_units.h"
#include "text/ascii.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tradeunits {
namespace {

constexpr double kGramsPerSquareMetrePerOunce = 33.906;  // 1 oz/yd² in g/m²
constexpr double kGramsPerSquareMetrePerMomme = 4.3056;
constexpr double kCentimetresPerInch = 2.54;
constexpr double kMetricCountsPerCottonCount = 1.6933;  // Nm per Ne
constexpr double kTexTimesCottonCount = 590.5;          // tex × Ne
constexpr double kTexTimesMetricCount = 1000;           // tex × Nm

const std::vector<Unit>& Units() {
    static const std::vector<Unit> units = {
        {"g/m²", {"gsm", "g/m2", "g/m²"}, {{"oz/yd²", 1 / kGramsPerSquareMetrePerOunce, false}}},
        {"oz/yd²", {"oz", "oz/yd2", "oz/yd²"}, {{"g/m²", kGramsPerSquareMetrePerOunce, false}}},
        {"momme", {"momme", "mm"}, {{"g/m²", kGramsPerSquareMetrePerMomme, false}}},
        // A denier is the mass in grams of 9,000 m, a tex of 1,000 m, a dtex of 10,000 m.
        {"denier", {"denier", "den", "d"}, {{"dtex", 10.0 / 9, false}, {"tex", 1.0 / 9, false}}},
        {"dtex", {"dtex"}, {{"denier", 0.9, false}, {"tex", 0.1, false}}},
        {"tex", {"tex"}, {{"denier", 9, false}, {"dtex", 10, false}}},
        {"Ne",
         {"ne"},
         {{"Nm", kMetricCountsPerCottonCount, false}, {"tex", kTexTimesCottonCount, true}}},
        {"Nm",
         {"nm"},
         {{"Ne", 1 / kMetricCountsPerCottonCount, false}, {"tex", kTexTimesMetricCount, true}}},
        {"cm", {"cm"}, {{"inch", 1 / kCentimetresPerInch, false}}},
        {"inch", {"inch", "in", "\""}, {{"cm", kCentimetresPerInch, false}}},
        {"SPI", {"spi"}, {{"SPC", 1 / kCentimetresPerInch, false}}},
        {"SPC", {"spc"}, {{"SPI", kCentimetresPerInch, false}}},
    };
    return units;
}

}  // namespace

const Unit* FindUnit(std::string_view text) {
    std::string spelling;
    for (char c : text) {
        if (c == ' ' || c == '\t') continue;
        spelling += ascii::ToLower(c);
    }
    for (const Unit& unit : Units()) {
        if (std::find(unit.spellings.begin(), unit.spellings.end(), spelling) !=
            unit.spellings.end()) {
            return &unit;
        }
    }
    return nullptr;
}

std::string UnitSpellings() {
    std::string list;
    for (const Unit& unit : Units()) {
        for (std::string_view spelling : unit.spellings) {
            if (!list.empty()) list += ", ";
            list += spelling;
        }
    }
    return list;
}

std::optional<double> ParsePositiveNumber(std::string_view text) {
    std::string number(text);
    std::replace(number.begin(), number.end(), ',', '.');
    if (number.empty() || number.find_first_not_of("0123456789.") != std::string::npos) {
        return std::nullopt;
    }
    double value = 0;
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value) || value <= 0) {
        return std::nullopt;
    }
    return value;
}

std::string ThreeSignificantDigits(double value) {
    const int magnitude =
        value == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::abs(value))));
    // Rounding may carry into the next power of ten (999.6 -> 1000): count its digits then.
    const double scale = std::pow(10.0, 2 - magnitude);
    const double rounded = std::round(value * scale) / scale;
    const int roundedMagnitude =
        rounded == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::abs(rounded))));
    const int decimals = std::max(0, 2 - roundedMagnitude);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, rounded);
    return text;
}

std::string ShortestText(double value) {
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::to_string(value);
}

std::vector<std::string> ConversionLines(double value, const Unit& unit) {
    std::vector<std::string> lines;
    for (const Unit::Target& target : unit.targets) {
        const double result = target.reciprocal ? target.factor / value : value * target.factor;
        lines.push_back(ShortestText(value) + " " + std::string(unit.name) + " = " +
                        ThreeSignificantDigits(result) + " " + std::string(target.unit));
    }
    return lines;
}

std::vector<std::string> MeasurementLines(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    text.remove_prefix(first);
    const std::size_t unitStart = std::min(text.find_first_not_of("0123456789.,"), text.size());
    const std::optional<double> value = ParsePositiveNumber(text.substr(0, unitStart));
    // FindUnit leaves out every space of the unit's spelling.
    const Unit* unit = FindUnit(text.substr(unitStart));
    if (!value || unit == nullptr) return {};
    return ConversionLines(*value, *unit);
}

}  // namespace tradeunits
