#include "ui/about_layout.h"

#include <gtest/gtest.h>

TEST(AboutLayout, LabelsGetTheirTextAndTheLinksMoveAlongTogether) {
    // The template at 96 DPI: "E-Mail: " needs 52 pixels where 49 were given.
    LinkRow rows[2] = {{26, 49, 33, 82, 343, 195}, {26, 49, 52, 82, 201, 189}};
    FitLinkRows(rows, 2, 427);
    EXPECT_EQ(rows[0].labelWidth, 49) << "a label that fits keeps its width";
    EXPECT_EQ(rows[1].labelWidth, 52);
    EXPECT_EQ(rows[0].linkLeft, 85) << "the template's gap of 7 stays";
    EXPECT_EQ(rows[1].linkLeft, 85);
    EXPECT_EQ(rows[0].linkWidth, 342) << "cut at the right edge, still wider than its text";
    EXPECT_EQ(rows[1].linkWidth, 201);

    LinkRow wide[1] = {{26, 49, 40, 82, 201, 400}};
    FitLinkRows(wide, 1, 427);
    EXPECT_EQ(wide[0].linkLeft, 82) << "nothing moves when the labels fit";
    EXPECT_EQ(wide[0].linkWidth, 400) << "a link is never narrower than its text";
}
