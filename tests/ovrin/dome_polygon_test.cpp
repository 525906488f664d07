#include "ovrin/ovrin_dome_polygon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr Float h = OvrinDomePolygon::meshStep;
constexpr Float deg = PI / 180.0;
const Vector yellow{1, 1, 0};
const Vector blue{0, 0, 1};

size_t segmentCount(const OvrinDomePolygon& mesh) {
    return mesh.lines.size() / 2;
}
size_t quadCount(const OvrinDomePolygon& mesh) {
    return mesh.quadPoints.size() / 4;
}

// Longitude of a point of the mesh, in degrees, compared to an expected one modulo a turn.
Float longitudeOffsetDegrees(const Vector& p, Float expectedDegrees) {
    const Float lambda = std::atan2(p.y, p.x) / deg;
    return std::remainder(lambda - expectedDegrees, 360.0);
}

// Full turn of meridians: −270°, 8 steps of just under 45° to just under 90°, then 90° itself.
const std::vector<Float> fullTurnMeridians = {-270, -225, -180, -135, -90, -45, 0, 45, 90, 90};

// The first segments of a sphere build run along meridians: one run of perMeridian segments per
// entry of longitudes (degrees), each segment's midpoint within 1e-5° of the run's longitude.
void expectMeridians(const OvrinDomePolygon& mesh, const std::vector<Float>& longitudes,
                     size_t perMeridian) {
    ASSERT_GE(segmentCount(mesh), longitudes.size() * perMeridian);
    for (size_t k = 0; k < longitudes.size(); ++k) {
        SCOPED_TRACE(testing::Message() << "meridian " << k);
        for (size_t s = 0; s < perMeridian; ++s) {
            const size_t i = 2 * (k * perMeridian + s);
            const Vector mid = (mesh.lines[i] + mesh.lines[i + 1]) * 0.5;
            EXPECT_NEAR(longitudeOffsetDegrees(mid, longitudes[k]), 0.0, 1e-5) << "segment " << s;
        }
    }
}

void expectListsConsistent(const OvrinDomePolygon& mesh) {
    EXPECT_EQ(mesh.lines.size() % 2, 0u);
    EXPECT_EQ(mesh.quadPoints.size() % 4, 0u);
    EXPECT_EQ(mesh.quadColors.size(), mesh.quadPoints.size());
    EXPECT_EQ(mesh.quadNormals.size(), mesh.quadPoints.size());
}

void expectEmpty(const OvrinDomePolygon& mesh) {
    EXPECT_TRUE(mesh.built);
    EXPECT_TRUE(mesh.lines.empty());
    EXPECT_TRUE(mesh.quadPoints.empty());
    EXPECT_TRUE(mesh.quadColors.empty());
    EXPECT_TRUE(mesh.quadNormals.empty());
}

TEST(OvrinDomePolygon, StepsAreSinglePrecisionDegreeMultiples) {
    EXPECT_EQ(OvrinDomePolygon::wireStep, 0.7853981573134661);
    EXPECT_EQ(OvrinDomePolygon::meshStep, 0.1745329238474369);
}

TEST(OvrinDomePolygon, StepsFromNegativeStartAlignToMultiples) {
    const std::vector<Float> v = OvrinDomePolygon::steps(-1.0, 0.5, h);
    const std::vector<Float> expected = {-1.0, -5 * h, -4 * h, -3 * h, -2 * h,
                                         -h,   0.0,    h,      2 * h,  0.5};
    ASSERT_EQ(v.size(), expected.size());
    for (size_t i = 0; i < v.size(); ++i)
        EXPECT_NEAR(v[i], expected[i], 1e-15) << "value " << i;
    EXPECT_EQ(v.front(), -1.0);
    EXPECT_EQ(v.back(), 0.5);
}

TEST(OvrinDomePolygon, StepsOverHalfATurnEndWithATinyStep) {
    const std::vector<Float> v = OvrinDomePolygon::steps(-PI05, PI05, h);
    ASSERT_EQ(v.size(), 20u); // −90°, 18 steps of just under 10°, then 90° itself
    EXPECT_EQ(v.front(), -PI05);
    EXPECT_EQ(v.back(), PI05);
    for (size_t i = 1; i + 1 < v.size(); ++i)
        EXPECT_NEAR(v[i], -PI05 + Float(i) * h, 1e-14) << "value " << i;
    const Float lastGapDegrees = (PI05 - v[18]) / deg;
    EXPECT_GT(lastGapDegrees, 1.3e-6);
    EXPECT_LT(lastGapDegrees, 1.5e-6);
}

TEST(OvrinDomePolygon, StepsStartCases) {
    struct Case {
        const char* what;
        Float start, end;
        std::vector<Float> expected;
    } cases[] = {
        {"positive start rounds up", 0.5, 1.0, {0.5, 3 * h, 4 * h, 5 * h, 1.0}},
        {"start on zero", 0.0, 0.4, {0.0, h, 2 * h, 0.4}},
        {"just above a multiple", 2 * h + 0.0005, 0.6, {2 * h + 0.0005, 3 * h + 0.0005, 0.6}},
        {"just below a negative multiple",
         -2 * h - 0.0005,
         -0.1,
         {-2 * h - 0.0005, -h - 0.0005, -0.1}},
        {"end before the first multiple", 0.05, 0.1, {0.05, 0.1}},
        {"equal ends", 1.0, 1.0, {1.0}},
        {"reversed", 1.0, 0.0, {}},
        {"NaN start", std::numeric_limits<Float>::quiet_NaN(), 1.0, {}},
        {"infinite end", 0.0, std::numeric_limits<Float>::infinity(), {}},
        {"huge range", -1e9, 1e9, {}},
        // The step is lost below this magnitude's spacing: finished, not looped forever.
        {"huge magnitude", 1e17, 1e17 + 16, {1e17, 1e17 + 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Float> v = OvrinDomePolygon::steps(c.start, c.end, h);
        ASSERT_EQ(v.size(), c.expected.size());
        for (size_t i = 0; i < v.size(); ++i)
            EXPECT_NEAR(v[i], c.expected[i], 1e-15) << "value " << i;
    }
    EXPECT_TRUE(OvrinDomePolygon::steps(0, 1, 0).empty());
    EXPECT_TRUE(OvrinDomePolygon::steps(0, 1, -h).empty());
}

TEST(OvrinDomePolygon, AddLinesSkipsRepeatedPoints) {
    OvrinDomePolygon mesh;
    mesh.addLines({});
    mesh.addLines({{1, 2, 3}});
    EXPECT_TRUE(mesh.lines.empty());
    mesh.addLines({{0, 0, 0}, {0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    EXPECT_EQ(mesh.lines, (std::vector<Vector>{{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 1, 0}}));
}

TEST(OvrinDomePolygon, AddMeshQuadNormals) {
    OvrinDomePolygon mesh;
    const std::array<Vector, 4> corners = {Vector{3, 0, 4}, Vector{0, 0, 2}, Vector{0, 0, 0},
                                           Vector{0, -2, 0}};
    mesh.addMeshQuad(corners, blue, false);
    mesh.addMeshQuad(corners, yellow, true);
    ASSERT_EQ(mesh.quadPoints.size(), 8u);
    const std::vector<Vector> expectedNormals = {
        {0.6, 0, 0.8}, {0, 0, 1}, {0, 0, 0}, {0, -1, 0}, // radial
        {1, 0, 0},     {0, 0, 0}, {0, 0, 0}, {0, -1, 0}, // horizontal; straight up has none
    };
    for (size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(mesh.quadPoints[i], corners[i % 4]);
        EXPECT_EQ(mesh.quadColors[i], i < 4 ? blue : yellow);
        EXPECT_NEAR(mesh.quadNormals[i].x, expectedNormals[i].x, 1e-15);
        EXPECT_NEAR(mesh.quadNormals[i].y, expectedNormals[i].y, 1e-15);
        EXPECT_NEAR(mesh.quadNormals[i].z, expectedNormals[i].z, 1e-15);
    }
}

TEST(OvrinDomePolygon, FullSphere) {
    OvrinDomePolygon mesh;
    EXPECT_FALSE(mesh.built);
    mesh.makeSphere(70, PI2, -PI05, PI05, yellow, false);
    expectListsConsistent(mesh);
    EXPECT_TRUE(mesh.built);
    // 10 meridians of 19 segments and no rims at the poles.
    EXPECT_EQ(segmentCount(mesh), 190u);
    expectMeridians(mesh, fullTurnMeridians, 19);
    EXPECT_EQ(quadCount(mesh), 703u); // 19 latitude bands × 37 longitude cells
    for (size_t i = 0; i < mesh.quadPoints.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(mesh.quadPoints[i].GetLength(), 70.0, 1e-12);
        EXPECT_NEAR(mesh.quadNormals[i].GetLength(), 1.0, 1e-15);
        EXPECT_EQ(mesh.quadColors[i], yellow);
    }
}

TEST(OvrinDomePolygon, DomeCapHasItsLowerRimOnly) {
    OvrinDomePolygon mesh;
    mesh.makeSphere(70, PI2, 0, PI05, yellow, true);
    expectListsConsistent(mesh);
    EXPECT_TRUE(mesh.flatNormals);
    ASSERT_EQ(segmentCount(mesh), 10u * 10u + 37u);
    expectMeridians(mesh, fullTurnMeridians, 10);
    for (size_t i = 200; i < mesh.lines.size(); ++i)
        EXPECT_EQ(mesh.lines[i].z, 0.0) << "rim entry " << i;
    EXPECT_EQ(quadCount(mesh), 370u);
    for (const Vector& n : mesh.quadNormals) // radial despite flatNormals
        ASSERT_NEAR(n.GetLength(), 1.0, 1e-15);
    EXPECT_GT(mesh.quadNormals[4 * 369 + 2].z, 0.99);
}

TEST(OvrinDomePolygon, ZoneHasBothRims) {
    OvrinDomePolygon mesh;
    mesh.makeSphere(10, PI, -0.5, 0.5, yellow, false);
    expectListsConsistent(mesh);
    const Float top = 10 * std::sin(0.5);
    size_t upper = 0, lower = 0;
    for (size_t i = 0; i < mesh.lines.size(); i += 2) {
        upper += mesh.lines[i].z == top && mesh.lines[i + 1].z == top;
        lower += mesh.lines[i].z == -top && mesh.lines[i + 1].z == -top;
    }
    // Longitudes −180° … 0°: 18 cells and the tiny last one.
    EXPECT_EQ(upper, 19u);
    EXPECT_EQ(lower, 19u);
    EXPECT_EQ(quadCount(mesh), 19u * 6u); // latitudes −0.5, −2h, −h, 0, h, 2h, 0.5
}

TEST(OvrinDomePolygon, SphereIsKeptWhileItsNumbersStay) {
    OvrinDomePolygon mesh;
    mesh.makeSphere(70, PI2, 0, PI05, yellow, false);
    mesh.makeSphere(70, PI2, 0, PI05, blue, true);
    EXPECT_EQ(quadCount(mesh), 370u);
    for (const Vector& c : mesh.quadColors)
        ASSERT_EQ(c, yellow);
    EXPECT_FALSE(mesh.flatNormals);

    mesh.makeSphere(70, PI2, 0.1, PI05, blue, true); // one number changed: rebuilt
    ASSERT_FALSE(mesh.quadColors.empty());
    for (const Vector& c : mesh.quadColors)
        ASSERT_EQ(c, blue);
    EXPECT_EQ(mesh.latitudeMin, 0.1);
    EXPECT_TRUE(mesh.flatNormals);
}

TEST(OvrinDomePolygon, SphereAfterCylinderWithTheSameNumbersIsRebuilt) {
    OvrinDomePolygon mesh;
    mesh.makeSphere(70, PI2, -PI05, PI05, yellow, false);
    mesh.makeCylinder(70, PI2, 30, yellow);
    EXPECT_EQ(quadCount(mesh), 37u);
    mesh.makeSphere(70, PI2, -PI05, PI05, yellow, false);
    EXPECT_EQ(quadCount(mesh), 703u);
    EXPECT_EQ(segmentCount(mesh), 190u);
}

TEST(OvrinDomePolygon, DegenerateSpheresAreEmpty) {
    struct Case {
        const char* what;
        Float w, phi0, phi1;
    } cases[] = {
        {"equal latitudes", PI2, 0.3, 0.3},
        {"reversed latitudes", PI2, 0.5, -0.5},
        {"zero field of view", 0, -PI05, PI05},
        {"negative field of view", -1.0, -PI05, PI05},
        {"negative field of view, zone", -1.0, -0.5, 0.5},
        {"NaN field of view", std::numeric_limits<Float>::quiet_NaN(), -0.5, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OvrinDomePolygon mesh;
        mesh.makeSphere(70, c.w, c.phi0, c.phi1, yellow, false);
        expectEmpty(mesh);
    }
}

TEST(OvrinDomePolygon, VanishingFieldOfViewGivesOneMeridian) {
    // λ0 and λ1 round to the same value: one meridian, nothing else, and the build ends.
    OvrinDomePolygon mesh;
    mesh.makeSphere(70, 1e-20, -PI05, PI05, yellow, false);
    EXPECT_EQ(segmentCount(mesh), 19u);
    expectMeridians(mesh, {-90.0}, 19);
    EXPECT_EQ(quadCount(mesh), 0u);
}

TEST(OvrinDomePolygon, FullCylinder) {
    OvrinDomePolygon mesh;
    mesh.makeCylinder(100, PI2, 100, yellow);
    expectListsConsistent(mesh);
    EXPECT_EQ(mesh.radius, 100.0);
    EXPECT_EQ(mesh.fieldOfView, PI2);
    ASSERT_EQ(segmentCount(mesh), 10u + 2u * 37u);
    for (size_t k = 0; k < 10; ++k) {
        SCOPED_TRACE(testing::Message() << "vertical line " << k);
        const Vector& a = mesh.lines[2 * k];
        const Vector& b = mesh.lines[2 * k + 1];
        EXPECT_EQ(a.z, -50.0);
        EXPECT_EQ(b.z, 50.0);
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
        EXPECT_NEAR(longitudeOffsetDegrees(a, fullTurnMeridians[k]), 0.0, 1e-5);
    }
    for (size_t i = 20; i < 20 + 74; ++i)
        EXPECT_EQ(mesh.lines[i].z, -50.0) << "bottom rim entry " << i;
    for (size_t i = 94; i < mesh.lines.size(); ++i)
        EXPECT_EQ(mesh.lines[i].z, 50.0) << "top rim entry " << i;
    EXPECT_EQ(quadCount(mesh), 37u);
    for (size_t i = 0; i < mesh.quadPoints.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(mesh.quadNormals[i].z, 0.0);
        EXPECT_NEAR(mesh.quadNormals[i].GetLength(), 1.0, 1e-15);
        EXPECT_EQ(std::fabs(mesh.quadPoints[i].z), 50.0);
        EXPECT_EQ(mesh.quadColors[i], yellow);
    }
}

TEST(OvrinDomePolygon, NegativeCylinderHeightHasNoRims) {
    OvrinDomePolygon mesh;
    mesh.makeCylinder(100, PI2, -100, yellow);
    EXPECT_EQ(segmentCount(mesh), 10u); // vertical lines only
    EXPECT_EQ(quadCount(mesh), 37u);
}

TEST(OvrinDomePolygon, DegenerateCylindersAreEmpty) {
    struct Case {
        const char* what;
        Float w, height;
    } cases[] = {
        {"zero height", PI2, 0},
        {"zero field of view", 0, 100},
        {"negative field of view", -1.0, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OvrinDomePolygon mesh;
        mesh.makeSphere(70, PI2, 0, PI05, yellow, false); // replaced, not kept
        mesh.makeCylinder(100, c.w, c.height, yellow);
        expectEmpty(mesh);
    }
}

} // namespace
