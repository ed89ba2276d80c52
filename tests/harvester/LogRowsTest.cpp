#include "harvester/LogRows.h"

#include <gtest/gtest.h>

namespace {

using harvester::Bark;
using harvester::HarvestedLog;
using harvester::Refusal;

HarvestedLog measured(std::optional<double> lengthCm, std::optional<double> ob, std::optional<double> ub = std::nullopt)
{
    return HarvestedLog{QStringLiteral("1"), lengthCm, ob, ub};
}

TEST(HarvesterLogRows, RoundDownAndKeepToTheAcceptedRanges)
{
    struct Case
    {
        HarvestedLog log;
        Bark bark;
        int laenge, durchmein; // when taken
        std::optional<Refusal> refusal;
    };
    for (const Case &c : {
             Case{measured(100, 10), Bark::With, 1, 1, {}},
             Case{measured(99.9, 300), Bark::With, 0, 0, Refusal::TooShort},
             Case{measured(5, 60), Bark::With, 0, 0, Refusal::TooShort},
             Case{measured(3999, 300), Bark::With, 39, 30, {}},
             Case{measured(4000, 300), Bark::With, 0, 0, Refusal::TooLong},
             Case{measured(1e300, 300), Bark::With, 0, 0, Refusal::TooLong},
             Case{measured(400, 9.9), Bark::With, 0, 0, Refusal::TooThin},
             Case{measured(400, 619), Bark::With, 4, 61, {}},
             Case{measured(400, 620), Bark::With, 0, 0, Refusal::TooThick},
             Case{measured(400, 700, 599), Bark::Without, 4, 59, {}},
             Case{measured(400, 300, 600), Bark::Without, 0, 0, Refusal::TooThick},
             Case{measured(400, -20), Bark::With, 0, 0, Refusal::TooThin},
             // The diameter the choice needs, or the length, is missing.
             Case{measured(400, 300), Bark::Without, 0, 0, Refusal::NoMeasurement},
             Case{measured(std::nullopt, 300, 280), Bark::With, 0, 0, Refusal::NoMeasurement},
             Case{measured(400, std::nullopt, 280), Bark::With, 0, 0, Refusal::NoMeasurement},
         }) {
        const harvester::LogOutcome outcome = harvester::measuredLog(c.log, c.bark);
        ASSERT_EQ(outcome.row.has_value(), !c.refusal.has_value()) << *c.log.lengthCm;
        if (outcome.row) {
            EXPECT_EQ(outcome.row->laenge, c.laenge);
            EXPECT_EQ(outcome.row->durchmein, c.durchmein);
        } else {
            EXPECT_EQ(outcome.refusal, *c.refusal) << harvester::refusalText(*c.refusal).toStdString();
        }
    }
}

TEST(HarvesterLogRows, OverBarkTheProgramDeductsTheBark)
{
    const values::LogRow over = harvester::listRow({10, 30}, Bark::With);
    EXPECT_EQ(over.durchmeff, 28);
    EXPECT_DOUBLE_EQ(over.volumen, 0.62);
    EXPECT_EQ(over.staerkeklasse, QStringLiteral("2b"));
    const values::LogRow under = harvester::listRow({10, 30}, Bark::Without);
    EXPECT_EQ(under.durchmeff, 30);
    EXPECT_DOUBLE_EQ(under.volumen, 0.71);
    EXPECT_EQ(under.staerkeklasse, QStringLiteral("3a"));
}

} // namespace
