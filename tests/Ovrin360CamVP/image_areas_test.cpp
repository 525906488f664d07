#include "image_areas.h"

#include <gtest/gtest.h>

namespace {

TEST(AreaRule, WholeImageOfAFullHdRender) {
    const Area a = WholeImageArea(1920, 1080);
    EXPECT_EQ(a.width, 1920);
    EXPECT_EQ(a.height, 1080);
    EXPECT_EQ(a.size, Vector(1920, 1080, 0));
    EXPECT_EQ(a.center, Vector(959.5, 539.5, 0));
    EXPECT_EQ(a.diameter, 1080);
    EXPECT_EQ(a.radius, 540.0);
    EXPECT_EQ(a.aspect, 1920.0 / 1080.0);
    EXPECT_EQ(a.end, Vector(1919, 1079, 0));
}

TEST(AreaRule, DegenerateAndFractionalBounds) {
    Area a;
    a.Set({0, 5, 0}, {9, 4, 0}); // zero height: aspect 0, no division fault
    EXPECT_EQ(a.height, 0);
    EXPECT_EQ(a.aspect, 0.0);
    EXPECT_EQ(a.diameter, 0);
    a.Set({0.5, 0, 0}, {10.2, 3, 0}); // widths truncate: 10.7 → 10
    EXPECT_EQ(a.width, 10);
    // The half width is a single-precision product: 16777217·0.5 rounds in float.
    a.Set({0, 0, 0}, {16777216, 0, 0});
    EXPECT_EQ(a.width, 16777217);
    EXPECT_EQ(a.center.x, Float(Float32(16777217) * 0.5f) - 0.5);
    EXPECT_NE(a.center.x, 16777217 * 0.5 - 0.5);
}

TEST(EditorView, FitsAndCentresTheTagAspect) {
    struct Case {
        Float w, h, aspect;
        Bool cubemap;
        Vector start, end;
        Int32 width, height;
    } cases[] = {
        {1000, 500, 1.0, false, {250, 0, 0}, {749, 499, 0}, 500, 500},
        {1001, 500, 1.0, false, {250, 0, 0}, {750, 499, 0}, 501, 500}, // odd remainder stays in
        {500, 1000, 2.0, false, {0, 375, 0}, {499, 624, 0}, 500, 250},
        {1000, 500, 2.0, false, {0, 0, 0}, {999, 499, 0}, 1000, 500}, // already that aspect
        {1000, 500, 0.0, false, {0, 0, 0}, {999, 499, 0}, 1000, 500}, // no tag aspect: no fit
        {1000, 500, 3.0, true, {250, 0, 0}, {749, 499, 0}, 500, 500}, // cubemap: always 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " aspect " << c.aspect);
        Area a = WholeImageArea(c.w, c.h);
        FitEditorView(a, c.aspect, c.cubemap);
        EXPECT_EQ(a.start, c.start);
        EXPECT_EQ(a.end, c.end);
        EXPECT_EQ(a.width, c.width);
        EXPECT_EQ(a.height, c.height);
    }
}

TEST(EyeViews, MonoAndStereoSplits) {
    ViewCell eyes[2];
    const Area image = WholeImageArea(4096, 2048);

    DeriveEyeViews(eyes, image, EyeLayout{});
    EXPECT_EQ(eyes[0].channel, 0);
    EXPECT_EQ(eyes[0].area.width, 4096);
    EXPECT_EQ(eyes[1].channel, -1);

    EyeLayout sbs{.stereo = true, .eyeCount = 2, .splitWidth = true};
    DeriveEyeViews(eyes, image, sbs);
    EXPECT_EQ(eyes[0].channel, 0);
    EXPECT_EQ(eyes[1].channel, 1);
    EXPECT_EQ(eyes[0].area.start.x, 0);
    EXPECT_EQ(eyes[0].area.end.x, 2047);
    EXPECT_EQ(eyes[1].area.start.x, 2048);
    EXPECT_EQ(eyes[1].area.end.x, 4095);
    EXPECT_EQ(eyes[1].area.height, 2048);

    // An odd width leaves the last column to neither eye.
    DeriveEyeViews(eyes, WholeImageArea(4097, 2048), sbs);
    EXPECT_EQ(eyes[1].area.end.x, 4095);

    // Swapped eyes: the left half is rendered from the right eye.
    EyeLayout swapped = sbs;
    swapped.swapEyes = true;
    DeriveEyeViews(eyes, image, swapped);
    EXPECT_EQ(eyes[0].channel, 1);
    EXPECT_EQ(eyes[0].area.start.x, 0);
    EXPECT_EQ(eyes[1].channel, 0);

    EyeLayout topBottom{.stereo = true, .eyeCount = 2, .splitHeight = true};
    DeriveEyeViews(eyes, image, topBottom);
    EXPECT_EQ(eyes[1].area.start.y, 1024);
    EXPECT_EQ(eyes[1].area.end.y, 2047);
    EXPECT_EQ(eyes[1].area.width, 4096);

    EyeLayout single{.stereo = true, .eyeCount = 1, .singleChannel = 1};
    DeriveEyeViews(eyes, image, single);
    EXPECT_EQ(eyes[0].channel, 1);
    EXPECT_EQ(eyes[0].area.width, 4096);
    EXPECT_EQ(eyes[1].channel, -1);
}

TEST(EyeViews, SideBySideFlipsFollowTheChannel) {
    ViewCell eyes[2];
    EyeLayout layout{.stereo = true,
                     .eyeCount = 2,
                     .swapEyes = true,
                     .splitWidth = true,
                     .sideBySide = true,
                     .leftFlipX = true,
                     .rightFlipY = true};
    DeriveEyeViews(eyes, WholeImageArea(200, 100), layout);
    // Eye 0 is the right eye here, so it takes the right eye's mirroring.
    EXPECT_FALSE(eyes[0].flipX);
    EXPECT_TRUE(eyes[0].flipY);
    EXPECT_TRUE(eyes[1].flipX);
    EXPECT_FALSE(eyes[1].flipY);
    layout.sideBySide = false; // other outputs never mirror
    DeriveEyeViews(eyes, WholeImageArea(200, 100), layout);
    EXPECT_FALSE(eyes[0].flipY || eyes[1].flipX);
}

TEST(FaceViews, CrossLayoutCellsInReadingOrder) {
    ViewCell cells[6][6];
    // A horizontal cross, 4 × 3: up above the front, the row left-front-right-back, down below.
    const struct {
        int col, row, channel;
    } placed[] = {{1, 0, 3}, {0, 1, 0}, {1, 1, 5}, {2, 1, 1}, {3, 1, 4}, {1, 2, 2}};
    for (const auto& p : placed) {
        cells[p.col][p.row].channel = p.channel;
        cells[p.col][p.row].rotation = p.channel == 3 ? 90 : 0;
    }
    ViewCell eye;
    eye.area = WholeImageArea(4096, 3072);
    ViewCell faces[6];
    ASSERT_EQ(DeriveFaceViews(faces, eye, true, cells, 4, 3), 6);
    const int order[] = {3, 0, 5, 1, 4, 2};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(faces[i].channel, order[i]) << i;
    EXPECT_EQ(faces[0].rotation, 90);
    // Cell (col 1, row 1) spans x 1024..2047, y 1024..2047.
    EXPECT_EQ(faces[2].area.start, Vector(1024, 1024, 0));
    EXPECT_EQ(faces[2].area.end, Vector(2047, 2047, 0));
    EXPECT_EQ(faces[2].area.width, 1024);
    // No rows: nothing placed.
    EXPECT_EQ(DeriveFaceViews(faces, eye, true, cells, 0, 0), 0);
    EXPECT_EQ(faces[0].channel, -1);
}

TEST(FaceViews, NonCubemapIsTheEyesWholeArea) {
    ViewCell eye;
    eye.area = WholeImageArea(300, 200);
    eye.info.strName = "0";
    eye.flipX = true;
    ViewCell cells[6][6];
    ViewCell faces[6];
    ASSERT_EQ(DeriveFaceViews(faces, eye, false, cells, 0, 0), 1);
    EXPECT_EQ(faces[0].channel, 0);
    EXPECT_EQ(faces[0].area.width, 300);
    EXPECT_EQ(faces[0].info.strName, String("0"));
    EXPECT_FALSE(faces[0].flipX); // each eye is mirrored by its own settings only
}

TEST(PassArea, FacePlacedInsideTheEye) {
    ViewCell face, eye;
    face.area.Set({1024, 0, 0}, {2047, 1023, 0});
    eye.area.Set({4096, 0, 0}, {8191, 3071, 0});
    const Area frame = WholeImageArea(640, 480);
    const Area pass = PassArea(face, eye, frame, false);
    EXPECT_EQ(pass.start, Vector(5120, 0, 0));
    EXPECT_EQ(pass.end, Vector(6143, 1023, 0));
    EXPECT_EQ(pass.width, 1024);
    EXPECT_EQ(PassArea(face, eye, frame, true).width, 640);
}

TEST(DomeCorner, LogoSquareOfA2kDome) {
    const DomeCorner c = DeriveDomeCorner(WholeImageArea(2048, 2048));
    EXPECT_EQ(c.domeDiameter, 2048.0);
    EXPECT_DOUBLE_EQ(c.cornerSize, 1024.0 * (1.0 - std::sqrt(2.0) / 2.0));
    EXPECT_NEAR(c.cornerSize, 299.92, 0.01);
    EXPECT_NEAR(c.logoCorner.start.x, 1747.07, 0.01);
    EXPECT_EQ(c.logoCorner.start.x, c.logoCorner.start.y);
    EXPECT_EQ(c.logoCorner.end, Vector(2047, 2047, 0));
    EXPECT_EQ(c.logoCorner.width, 300);
    EXPECT_EQ(c.logoCorner.height, 300);
}

} // namespace
