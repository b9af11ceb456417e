// What must hold of Form1's design whatever its figures: controls inside the client area and apart, the
// button row evenly spaced, and whole pixels at 96 DPI. Its access keys and tab order are checked as both
// windows behave, by the keyboard rules.
#include "window/form1_design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace brelvix {
namespace {

std::vector<TwipsRect> allPlaces() {
    std::vector<TwipsRect> places;
    for (const BoxDesign& box : form1Design.boxes) {
        places.push_back(box.place);
    }
    for (const ButtonDesign& button : form1Design.buttons) {
        places.push_back(button.place);
    }
    return places;
}

bool overlap(const TwipsRect& a, const TwipsRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(Design, ControlsStandApartInsideTheMarginsInWholePixels) {
    constexpr int margin = 135;
    const std::vector<TwipsRect> places = allPlaces();
    for (std::size_t i = 0; i < places.size(); ++i) {
        const TwipsRect& place = places[i];
        SCOPED_TRACE(i);
        EXPECT_GE(place.left, margin);
        EXPECT_LE(place.left + place.width, form1Design.clientWidth - margin);
        EXPECT_LE(place.top + place.height, form1Design.clientHeight - margin);
        for (const int twips : {place.left, place.top, place.width, place.height}) {
            EXPECT_EQ(twips % 15, 0) << "not a whole pixel at 96 DPI";
        }
        for (std::size_t j = i + 1; j < places.size(); ++j) {
            EXPECT_FALSE(overlap(place, places[j])) << "overlaps control " << j;
        }
    }
}

TEST(Design, ButtonsFormOneEvenRowAcrossTheBoxesWidth) {
    std::vector<TwipsRect> row;
    for (const ButtonDesign& button : form1Design.buttons) {
        row.push_back(button.place);
    }
    std::sort(row.begin(), row.end(), [](const TwipsRect& a, const TwipsRect& b) { return a.left < b.left; });
    const TwipsRect& box = designOf(TextBox::Text1).place;
    EXPECT_EQ(row.front().left, box.left);
    EXPECT_EQ(row.back().left + row.back().width, box.left + box.width);
    const int gap = row[1].left - (row[0].left + row[0].width);
    for (std::size_t i = 1; i < row.size(); ++i) {
        EXPECT_EQ(row[i].top, row[0].top);
        EXPECT_EQ(row[i].width, row[0].width);
        EXPECT_EQ(row[i].left - (row[i - 1].left + row[i - 1].width), gap);
    }
}

} // namespace
} // namespace brelvix
