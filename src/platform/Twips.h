#pragma once
#include <QRect>
#include <cmath>

// Layouts are given in twips; at 96 dpi fifteen of them make a pixel.
namespace corsa {

constexpr int TwipsPerPixel = 15;

inline int Px(int twips) { return static_cast<int>(std::lround(twips / double(TwipsPerPixel))); }

inline QRect RettangoloTwips(int left, int top, int width, int height)
{
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

} // namespace corsa
