#pragma once

#include <QString>

#include <vector>

namespace marvesto::test {

// What a careless or hostile player may answer at a prompt or type at the console,
// with what the game makes of it under an Italian and an English locale.
struct BadInput {
    const char *label;
    QString text;
    // At the console, with eight boxes for sale: the position auctioned, or:
    enum { Emptied = -1, KeptAsTyped = -2 };
    int italianCommand, englishCommand;
    // As the starting capital: a readable amount of zero or more, kept until taxed.
    bool italianCapital, englishCapital;
};

inline const std::vector<BadInput> &badInputs()
{
    static const std::vector<BadInput> inputs{
        {"0", QStringLiteral("0"), 0, 0, true, true},
        {"-0", QStringLiteral("-0"), 0, 0, true, true},
        {"1e308", QStringLiteral("1e308"), -1, -1, false, false},
        {"-1e308", QStringLiteral("-1e308"), -1, -1, false, false},
        {"1e309", QStringLiteral("1e309"), -1, -1, false, false},
        {"inf", QStringLiteral("inf"), -1, -1, false, false},
        {"NaN", QStringLiteral("NaN"), -1, -1, false, false},
        {"blank", QStringLiteral(" "), -1, -1, false, false},
        {"10k chars reading 7", QString(9999, u'0') + u'7', 7, 7, true, true},
        {"10k digits", QString(10000, u'9'), -1, -1, false, false},
        {"rtl marks and emoji", QStringLiteral("\u200F5000\u200E \U0001F4B0"), -1, -1, false,
         false},
        {"full-width digits", QStringLiteral("\uFF15\uFF10\uFF10\uFF10"), -1, -1, false, false},
        {"control characters", QStringLiteral("5\t0\r\n\u0001\u001B0"), -1, -1, false, false},
        {"2,5", QStringLiteral("2,5"), 2, -1, true, false},
        {"2.5", QStringLiteral("2.5"), -1, 2, false, true},
        {"-1", QStringLiteral("-1"), -2, -2, false, false},
        {"5000", QStringLiteral("5000"), -1, -1, true, true},
        {"20000", QStringLiteral("20000"), -1, -1, true, true},
        {"cancel", QString(), -1, -1, true, true},
    };
    return inputs;
}

} // namespace marvesto::test
