#include "TestiNumerici.h"

#include <gtest/gtest.h>

using namespace corsa;

TEST(TestiNumerici, FormaDelPannello)
{
    // clang-format off
    const std::pair<double, const char*> casi[] = {
        {5, " 5"},           {0, " 0"},          {255, " 255"},
        {130 / 50.0, " 2.6"}, {45 / 50.0, " .9"}, {3 / 50.0, " .06"},
        {255 / 50.0, " 5.1"}, {130 * 0.0196, " 2.548"}, {51 * 0.0196, " .9996"},
        {-3, "-3"},          {-0.5, "-.5"},      {10.295588235294117, " 10.2955882352941"},
    };
    // clang-format on
    for (const auto& [v, atteso] : casi)
        EXPECT_EQ(TestoNumero(v), QString::fromLatin1(atteso)) << v;
}

TEST(TestiNumerici, IlPuntoNonDipendeDalLocale)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(TestoNumero(2.6), QStringLiteral(" 2.6"));
    EXPECT_EQ(TestoLocale(2.6), QStringLiteral("2,6"));
    EXPECT_EQ(TestoLocale(0.9), QStringLiteral("0,9"));
    EXPECT_EQ(TestoLocale(5), QStringLiteral("5"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(TestoLocale(2.6), QStringLiteral("2.6"));
    EXPECT_EQ(TestoLocale(1234.5), QStringLiteral("1234.5"));
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(TestoIntero(127), QStringLiteral("127"));
}
