#include "editor/register_layout.h"

#include <gtest/gtest.h>

#include "common/dpi_scale.h"

namespace {

bool Overlap(const ControlBox& a, const ControlBox& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

}  // namespace

TEST(RegisterLayout, At96DpiThePixelsOfTheLayoutRules) {
    const RegisterLayout l = ArrangeRegisterDialog(884, 486, 96);
    EXPECT_EQ(l.list, (ControlBox{20, 50, 699, 381}));
    EXPECT_EQ(l.newButton, (ControlBox{734, 70, 140, 30}));
    EXPECT_EQ(l.moveDownButton, (ControlBox{734, 190, 140, 30}));
    EXPECT_EQ(l.okButton, (ControlBox{614, 446, 80, 25}));
    EXPECT_EQ(l.cancelButton, (ControlBox{704, 446, 80, 25}));
    EXPECT_EQ(l.applyButton, (ControlBox{794, 446, 80, 25}));
}

TEST(RegisterLayout, EveryScaleIsTheSameLayoutGrownByItsFactor) {
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        // The default window at this scale, and a cramped one.
        for (int unit : {10, 6}) {
            const int w = ScaleToDpi(88 * unit, dpi), h = ScaleToDpi(48 * unit, dpi);
            const RegisterLayout l = ArrangeRegisterDialog(w, h, dpi);
            EXPECT_EQ(l.list.left, ScaleToDpi(20, dpi));
            EXPECT_EQ(l.list.top, ScaleToDpi(50, dpi));
            EXPECT_NEAR(w - (l.list.left + l.list.width), ScaleToDpi(165, dpi), 1) << "margin right of the list";
            EXPECT_NEAR(h - (l.applyButton.top + l.applyButton.height), ScaleToDpi(15, dpi), 1);
            EXPECT_NEAR(w - (l.applyButton.left + l.applyButton.width), ScaleToDpi(10, dpi), 1);
            const ControlBox all[] = {l.list, l.newButton, l.deleteButton, l.moveUpButton, l.moveDownButton, l.exportButton,
                                      l.okButton, l.cancelButton, l.applyButton};
            for (size_t i = 0; i < std::size(all); ++i) {
                EXPECT_GE(all[i].left, 0) << i;
                EXPECT_LE(all[i].left + all[i].width, w) << i;
                for (size_t j = i + 1; j < std::size(all); ++j) EXPECT_FALSE(Overlap(all[i], all[j])) << i << " " << j;
            }
        }
    }
}

TEST(RegisterLayout, OnlyTheDefaultPlacementIsSizedForTheScale) {
    const Placement defaults{150, 150, 900, 525};
    EXPECT_EQ(OpeningPlacement(defaults, defaults, 96).width, 900);
    const Placement at150 = OpeningPlacement(defaults, defaults, 144);
    EXPECT_EQ(at150.left, 150);
    EXPECT_EQ(at150.top, 150);
    EXPECT_EQ(at150.width, 1350);
    EXPECT_EQ(at150.height, 788);
    EXPECT_EQ(OpeningPlacement(defaults, defaults, 120).width, 1125);
    EXPECT_EQ(OpeningPlacement(defaults, defaults, 192).height, 1050);
    const Placement left{150, 150, 901, 525};
    EXPECT_EQ(OpeningPlacement(left, defaults, 192).width, 901) << "a size the user chose stays";
}

TEST(DpiScale, ColumnWidthsSurviveTheTripThroughEveryScale) {
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        for (int width = 1; width <= 2000; ++width) {
            ASSERT_EQ(ScaleFromDpi(ScaleToDpi(width, dpi), dpi), width) << dpi;
        }
    }
    EXPECT_EQ(ScaleToDpi(460, 120), 575);
    EXPECT_EQ(ScaleToDpi(50, 120), 63) << "half a pixel rounds up";
    EXPECT_EQ(ScaleToDpi(-50, 120), -63);
    EXPECT_EQ(ScaleFromDpi(1, 192), 1) << "a pixel of width is never stored as 0";
    EXPECT_EQ(ScaleToDpi(100, 0), 100) << "an unknown DPI leaves the value alone";
}
