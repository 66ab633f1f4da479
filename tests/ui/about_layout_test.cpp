#include "ui/about_layout.h"

#include <gtest/gtest.h>

TEST(AboutLayout, LabelsGetTheirTextAndTheLinksMoveOnlyWhenTheyMust) {
    // The template at 96 DPI: "E-Mail: " needs 56 pixels where 49 were given,
    // and the gap of 7 before the links is room enough.
    LinkRow rows[2] = {{26, 49, 33, 82, 343, 195}, {26, 49, 56, 82, 201, 203}};
    FitLinkRows(rows, 2, 427);
    EXPECT_EQ(rows[0].labelWidth, 49) << "a label that fits keeps its width";
    EXPECT_EQ(rows[1].labelWidth, 56);
    EXPECT_EQ(rows[0].linkLeft, 82);
    EXPECT_EQ(rows[1].linkLeft, 82);
    EXPECT_EQ(rows[0].linkWidth, 343);
    EXPECT_EQ(rows[1].linkWidth, 203) << "a link is never narrower than its text";

    // A font whose label is wider still: both links move right of it, together.
    LinkRow wide[2] = {{26, 49, 33, 82, 343, 195}, {26, 49, 64, 82, 201, 189}};
    FitLinkRows(wide, 2, 427);
    EXPECT_EQ(wide[0].linkLeft, 90);
    EXPECT_EQ(wide[1].linkLeft, 90);
    EXPECT_EQ(wide[0].linkWidth, 337) << "cut at the right edge, still wider than its text";
    EXPECT_EQ(wide[1].linkWidth, 201);
}
