#pragma once
// How an age graph maps ages and values to the picture, kept after drawing
// so that a second curve can be laid over the same axes.

#include <array>
#include <string>

namespace mk {

inline constexpr int kGraphMaxAge = 200;

struct AgeAxisSettings {
    int AgeAxisMax = 50;                           // last age on the axis: 50, 100 or 200
    int AgeTickStep = 5;                           // years between vertical grid lines
    int PixelsPerYear = 8;                         // the plot is always 400 pixels wide
    std::array<std::string, 6> RightAxisLabels{};  // 1..5, bottom to top
    std::string RightAxisTitle;
    std::array<int, kGraphMaxAge + 1> SeriesY{};  // pixel y of the second curve by age
};

// The age axis that fits a run ending at endAge: up to 50 years 0..50 in
// steps of 5, up to 100 years 0..100 in steps of 10, beyond that 0..200 in
// steps of 20.
void ChooseAgeAxis(int endAge, AgeAxisSettings& axis);

// Pixel x of an age on the age axis.
inline int AgeGraphX(const AgeAxisSettings& axis, int age) {
    return 110 + age * axis.PixelsPerYear;
}

}  // namespace mk
