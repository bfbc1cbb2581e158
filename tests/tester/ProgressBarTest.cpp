#include "ProgressBar.h"

#include <cmath>
#include <gtest/gtest.h>

using corsa::ProgressBar;

TEST(ProgressBar, KeepsFractionsAndHoldsValuesWithinItsRange)
{
    ProgressBar b;
    b.setMin(0);
    b.setMax(200);
    b.setValue(12.5f);
    EXPECT_FLOAT_EQ(b.Value(), 12.5f);
    b.setValue(-3);
    EXPECT_FLOAT_EQ(b.Value(), 0);
    b.setValue(1e9f);
    EXPECT_FLOAT_EQ(b.Value(), 200);
    b.setValue(std::nanf(""));
    EXPECT_FLOAT_EQ(b.Value(), 0);
    b.setValue(150);
    b.setMax(100);
    EXPECT_FLOAT_EQ(b.Value(), 100);
}

TEST(ProgressBar, DrawnShareFollowsTheValue)
{
    ProgressBar b;
    b.setMin(0);
    b.setMax(255);
    b.setValue(51);
    const double quota = double(b.value() - b.minimum()) / (b.maximum() - b.minimum());
    EXPECT_NEAR(quota, 0.2, 1e-3);
    EXPECT_FALSE(b.isTextVisible());
    b.setToolTipText(" Bit 0");
    EXPECT_EQ(b.ToolTipText(), " Bit 0");
}
