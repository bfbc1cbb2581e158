#include "LetturaNumero.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace corsa;

namespace {

TEST(LetturaNumero, Tabella)
{
    // clang-format off
    const std::pair<std::string, double> casi[] = {
        {"", 0},          {"   ", 0},       {" 5 ", 5},       {"1 2", 12},      {"\t7\n", 7},
        {" 1\n2", 12},    {"2.5", 2.5},     {"-1", -1},       {"+3", 3},        {"- 5", -5},
        {"--5", 0},       {".5", 0.5},      {"5.", 5},        {"007", 7},       {"1E2", 100},
        {"1e2", 100},     {"1D2", 100},     {"1.5E+1", 15},   {"25E-1", 2.5},   {"1 E 2", 100},
        {"1E", 1},        {"1E+", 1},       {"12abc", 12},    {"abc12", 0},     {"1,5", 1},
        {"1.2.3", 1.2},   {"1E2E3", 100},   {".", 0},         {"\r5", 0},       {"&H1F", 31},
        {"&h1f", 31},     {"& H 1 F", 31},  {"&H1G", 1},      {"&O17", 15},     {"&o78", 7},
        {"&H", 0},        {"&X1", 0},       {"-&H10", 0},     {"&H100", 256},
        {"123456789012345678", 123456789012345678.0},
        {"2." + std::string(3000, '4'), 22.0 / 9.0},
        {"1E-400", 0},    {"0." + std::string(400, '0') + "1", 0},
    };
    // clang-format on
    for (const auto& [testo, atteso] : casi)
        EXPECT_EQ(LeggiNumero(testo), atteso) << '"' << testo << '"';
    const std::string troppi[] = {"1E400", "1E99999999999999999999", "&H" + std::string(300, 'F'),
                                  "1" + std::string(5000, '0')};
    for (const auto& troppo : troppi)
        EXPECT_TRUE(std::isinf(LeggiNumero(troppo))) << troppo.substr(0, 30);
}

TEST(LetturaNumero, MetaVersoIlPari)
{
    // clang-format off
    const std::pair<double, double> casi[] = {
        {2.5, 2},   {3.5, 4},    {0.5, 0},      {1.5, 2},       {254.5, 254}, {255.5, 256},
        {-1.5, -2}, {-2.5, -2},  {2.4999, 2},   {2.5000001, 3}, {255.4, 255}, {1e300, 1e300},
        {0.49999999999999994, 0}, {4503599627370495.5, 4503599627370496},
    };
    // clang-format on
    for (auto [v, atteso] : casi)
        EXPECT_EQ(ArrotondaPari(v), atteso) << v;
    EXPECT_FALSE(std::signbit(ArrotondaPari(-0.5))); // a valid 0, not below it
    EXPECT_EQ(LeggiIntero(QByteArray(" 3.5 ")), 4);
}

} // namespace
