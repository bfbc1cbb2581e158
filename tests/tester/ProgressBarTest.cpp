#include "ProgressBar.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(ProgressBar, KeepsFractionsAndHoldsValuesWithinItsRange)
{
    corsa::ProgressBar b;
    b.setMax(200);
    for (auto [dato, atteso] : {std::pair{12.5f, 12.5f}, {-3.f, 0.f}, {1e9f, 200.f}, {std::nanf(""), 0.f}}) {
        b.setValue(dato);
        EXPECT_FLOAT_EQ(b.Value(), atteso);
    }
    b.setValue(40);
    EXPECT_NEAR(double(b.value()) / b.maximum(), 0.2, 1e-3);
}
