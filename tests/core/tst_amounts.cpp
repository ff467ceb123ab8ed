#include "core/amounts.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <limits>

using namespace marvesto;

Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(std::optional<qint16>)

class TestAmounts : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void readsByTheLocalesRules_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("expected");
        const std::optional<double> none;
        QTest::newRow("whole") << "C"
                               << "50000" << std::optional(50000.0);
        QTest::newRow("blanks and sign") << "C"
                                         << " -100 " << std::optional(-100.0);
        QTest::newRow("plus sign") << "C"
                                   << "+7" << std::optional(7.0);
        QTest::newRow("italian comma") << "it_IT"
                                       << "2,5" << std::optional(2.5);
        QTest::newRow("C dot") << "C"
                               << "2.5" << std::optional(2.5);
        QTest::newRow("italian refuses the dot") << "it_IT"
                                                 << "2.5" << none;
        QTest::newRow("italian groups") << "it_IT"
                                        << "10.000" << std::optional(10000.0);
        QTest::newRow("italian groups and decimals") << "it_IT"
                                                     << "1.234.567,5" << std::optional(1234567.5);
        QTest::newRow("misplaced group separator") << "it_IT"
                                                   << "1.0000" << none;
        QTest::newRow("indian groups") << "hi_IN"
                                       << "1,00,000" << std::optional(100000.0);
        QTest::newRow("swedish minus and blank groups")
            << "sv_SE"
            << "\u22121\u00A0234,5" << std::optional(-1234.5);
        QTest::newRow("persian digits") << "fa_IR"
                                        << "\u06F1\u06F2\u066B\u06F5" << std::optional(12.5);
        QTest::newRow("hebrew direction mark") << "he_IL"
                                               << "\u200E-5" << std::optional(-5.0);
        QTest::newRow("swedish exponent") << "sv_SE"
                                          << "1\u00D710^3" << none;
        QTest::newRow("C refuses the comma") << "C"
                                             << "2,5" << none;
        QTest::newRow("leading separator") << "C"
                                           << ".5" << std::optional(0.5);
        QTest::newRow("letters") << "C"
                                 << "abc" << none;
        QTest::newRow("empty") << "C"
                               << "" << none;
        QTest::newRow("blank") << "C"
                               << " " << none;
        QTest::newRow("sign alone") << "C"
                                    << "-" << none;
        QTest::newRow("exponent") << "C"
                                  << "1e3" << none;
        QTest::newRow("hex") << "C"
                             << "0x10" << none;
        QTest::newRow("inf") << "C"
                             << "inf" << none;
        QTest::newRow("nan") << "C"
                             << "NaN" << none;
        QTest::newRow("euro sign") << "C"
                                   << "5 \u20AC" << none;
        QTest::newRow("full-width digits") << "C"
                                           << "\uFF11\uFF12" << none;
        QTest::newRow("overflow") << "C" << QString(400, u'9') << none;
        QTest::newRow("inner blank") << "C"
                                     << "1 2" << none;
    }
    void readsByTheLocalesRules()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(std::optional<double>, expected);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(readAmount(text), expected);
    }

    void convertsToSixteenBitsWithHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<std::optional<qint16>>("expected");
        const std::optional<qint16> fails;
        QTest::newRow("0.5") << 0.5 << std::optional<qint16>(0);
        QTest::newRow("1.5") << 1.5 << std::optional<qint16>(2);
        QTest::newRow("2.5") << 2.5 << std::optional<qint16>(2);
        QTest::newRow("-0.5") << -0.5 << std::optional<qint16>(0);
        QTest::newRow("-1.5") << -1.5 << std::optional<qint16>(-2);
        QTest::newRow("32767.4") << 32767.4 << std::optional<qint16>(32767);
        QTest::newRow("32767.5") << 32767.5 << fails;
        QTest::newRow("-32768.5") << -32768.5 << std::optional<qint16>(-32768);
        QTest::newRow("-32768.6") << -32768.6 << fails;
        QTest::newRow("99999") << 99999.0 << fails;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << fails;
        QTest::newRow("inf") << std::numeric_limits<double>::infinity() << fails;
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << fails;
    }
    void convertsToSixteenBitsWithHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(std::optional<qint16>, expected);
        QCOMPARE(toInt16(value), expected);
    }

    void convertsTextToSixteenBits()
    {
        QCOMPARE(toInt16(QStringLiteral(" 2.5 ")), std::optional<qint16>(2));
        QCOMPARE(toInt16(QStringLiteral("abc")), std::optional<qint16>());
        QLocale::setDefault(QLocale(QLocale::Italian));
        QCOMPARE(toInt16(QStringLiteral("1,5")), std::optional<qint16>(2));
    }

    void writesTheShortestPlainForm_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << "C" << 44400.0 << "44400";
        QTest::newRow("negative") << "C" << -5600.0 << "-5600";
        QTest::newRow("no italian grouping") << "it_IT" << 44400.0 << "44400";
        QTest::newRow("italian decimal") << "it_IT" << 2.5 << "2,5";
        QTest::newRow("C decimal") << "C" << 0.1 << "0.1";
        QTest::newRow("negative zero") << "C" << -0.0 << "0";
        QTest::newRow("large whole stays digits") << "C" << 1e20 << "100000000000000000000";
        QTest::newRow("ascii minus in swedish") << "sv_SE" << -5600.0 << "-5600";
        QTest::newRow("ascii digits in persian") << "fa_IR" << -2.5 << "-2\u066B5";
    }
    void writesTheShortestPlainForm()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(writeAmount(value), expected);
    }

    // A typed amount shows as typed until it moves; one that reads as no number
    // never moves, and neither does no amount at all.
    void anAmountKeepsWhatWasTypedAndMovesOnlyANumber()
    {
        QLocale::setDefault(QLocale(QLocale::Italian));
        const Amount typed = Amount::typed(QStringLiteral(" 1.000 "));
        QCOMPARE(typed.text(), QStringLiteral(" 1.000 "));
        QCOMPARE(typed.number(), std::optional(1000.0));
        QCOMPARE(typed.plus(-0.5).text(), QStringLiteral("999,5"));
        QCOMPARE(Amount(-0.0).text(), QStringLiteral("0"));

        const Amount words = Amount::typed(QStringLiteral("mille"));
        QVERIFY(!words.isNumber());
        QCOMPARE(words.plus(100).text(), QStringLiteral("mille"));
        QVERIFY(!Amount().isNumber());
        QCOMPARE(Amount().plus(100).text(), QString());
    }

    // Under every locale Qt knows: ASCII digits and "-", and read back exactly.
    void readsBackWhatItWritesUnderEveryLocale()
    {
        const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                      QLocale::AnyTerritory);
        QVERIFY(locales.size() > 300);
        const QRegularExpression asciiNumber(QStringLiteral("^-?[0-9]+$"));
        for (const QLocale &locale : locales) {
            QLocale::setDefault(locale);
            for (double v : {-5600.0, 44400.0, 0.1 + 0.2, -1234.5678, 1e-9, 123456789012.25, 1e300,
                             -4.9e-324}) {
                const QString text = writeAmount(v);
                const QString why = locale.name() + QStringLiteral(": ") + text;
                const QString digits = QString(text).remove(locale.decimalPoint());
                QVERIFY2(asciiNumber.match(digits).hasMatch(), qPrintable(why));
                const auto back = readAmount(text);
                QVERIFY2(back.has_value() && *back == v, qPrintable(why));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestAmounts)
#include "tst_amounts.moc"
