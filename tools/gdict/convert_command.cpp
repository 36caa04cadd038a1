#include <iostream>
#include <stdexcept>

#include "dictionary/trade_units.h"
#include "tools/gdict/arguments.h"
#include "tools/gdict/commands.h"

int RunConvert(const std::vector<std::string>& args) {
    // "200 gsm" as two words, or "200gsm" as one.
    const Arguments arguments(args, {}, 1, 2);
    const std::string text =
        arguments.Positional(0) +
        (arguments.PositionalCount() == 2 ? " " + arguments.Positional(1) : "");
    const std::size_t unitStart = text.find_first_not_of("0123456789.,");
    const std::string valueText = text.substr(0, unitStart);
    const std::size_t unitFirst = text.find_first_not_of(' ', unitStart);
    const std::string unitText = unitFirst == std::string::npos ? "" : text.substr(unitFirst);

    const std::optional<double> value = tradeunits::ParsePositiveNumber(valueText);
    if (!value) {
        throw std::runtime_error("the value must be a positive number, not \"" + text + "\"");
    }
    const tradeunits::Unit* unit = tradeunits::FindUnit(unitText);
    if (!unit) {
        throw std::runtime_error("unknown unit \"" + unitText + "\"; the units are " +
                                 tradeunits::UnitSpellings());
    }
    for (const std::string& line : tradeunits::ConversionLines(*value, *unit)) {
        std::cout << line << '\n';
    }
    return 0;
}
