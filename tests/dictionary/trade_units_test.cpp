// A whole search text recognised as a measurement, and its conversion lines.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dictionary/trade_units.h"

namespace {

using Lines = std::vector<std::string>;

TEST(TradeUnitsTest, MeasurementLinesOfAWholeText) {
    const struct {
        const char* text;
        Lines expected;
    } cases[] = {
        {"200 gsm", {"200 g/m² = 5.90 oz/yd²"}},
        {"200gsm", {"200 g/m² = 5.90 oz/yd²"}},
        {" 200  GSM ", {"200 g/m² = 5.90 oz/yd²"}},
        {"5,9 oz", {"5.9 oz/yd² = 200 g/m²"}},
        {"5.9 oz", {"5.9 oz/yd² = 200 g/m²"}},
        {"70 denier", {"70 denier = 77.8 dtex", "70 denier = 7.78 tex"}},
        {"40 ne", {"40 Ne = 67.7 Nm", "40 Ne = 14.8 tex"}},
        {"2.5 cm", {"2.5 cm = 0.984 inch"}},
        {"36 inch", {"36 inch = 91.4 cm"}},
        {"12 spi", {"12 SPI = 4.72 SPC"}},
        {"19 momme", {"19 momme = 81.8 g/m²"}},
        {"g/m2 200", {}},
        {"200", {}},
        {"gsm", {}},
        {"0 gsm", {}},
        {"200 gsm fabric", {}},
        {"1.2.3 cm", {}},
        {"", {}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(tradeunits::MeasurementLines(text), expected) << text;
    }
}

}  // namespace
