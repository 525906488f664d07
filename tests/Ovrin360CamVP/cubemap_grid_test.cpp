#include "cubemap_grid.h"

#include "OvrinTag/otag_ids.h"
#include "ovp_ids.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <vector>

namespace {

constexpr Int32 L = OVRIN_FACE_LEFT, R = OVRIN_FACE_RIGHT, D = OVRIN_FACE_DOWN, U = OVRIN_FACE_UP,
                B = OVRIN_FACE_BACK, F = OVRIN_FACE_FRONT;

struct UsedCell {
    Int32 column, row, face, rotation;
    bool operator==(const UsedCell&) const = default;
};
std::ostream& operator<<(std::ostream& os, const UsedCell& c) {
    return os << "(" << c.column << "," << c.row << ") face " << c.face << " rot " << c.rotation;
}

// The render effect's integer settings as a new effect holds them.
BaseContainer DefaultSettings() {
    BaseContainer bc;
    Int32 written = 0;
    for (const ParamDefault& d : OVRINVP_DEFAULTS) {
        if (d.kind == ParamKind::Int32) {
            bc.SetInt32(d.id, Int32(d.number));
            ++written;
        }
    }
    EXPECT_EQ(written, 14);
    return bc;
}

struct Grid {
    ViewCell cells[CUBEMAP_GRID_SIZE][CUBEMAP_GRID_SIZE];
    Float columns = -1, rows = -1;

    // Every cell holding a face, in the order the passes visit them: row by row, left to right.
    // Cells outside the layout's size must stay empty.
    std::vector<UsedCell> Used() const {
        std::vector<UsedCell> used;
        for (Int32 row = 0; row < CUBEMAP_GRID_SIZE; ++row)
            for (Int32 col = 0; col < CUBEMAP_GRID_SIZE; ++col) {
                const ViewCell& c = cells[col][row];
                if (c.channel >= 0 || c.rotation != 0) {
                    EXPECT_LT(col, columns);
                    EXPECT_LT(row, rows);
                    used.push_back({col, row, c.channel, c.rotation});
                }
            }
        return used;
    }
};

struct LayoutCase {
    const char* name;
    Int32 layout;
    Int32 crossPosition;
    Float columns, rows;
    std::vector<UsedCell> used; // in visiting order
};

const std::vector<LayoutCase> layoutCases = {
    {"horizontal cross k=1",
     OVRIN_CUBEMAP_CROSS_HORIZONTAL,
     1,
     4,
     3,
     {{1, 0, U, 0}, {0, 1, L, 0}, {1, 1, F, 0}, {2, 1, R, 0}, {3, 1, B, 0}, {1, 2, D, 0}}},
    {"horizontal cross k=0",
     OVRIN_CUBEMAP_CROSS_HORIZONTAL,
     0,
     4,
     3,
     {{0, 0, U, 0}, {0, 1, F, 0}, {1, 1, R, 0}, {2, 1, B, 0}, {3, 1, L, 0}, {0, 2, D, 0}}},
    {"horizontal cross k=3 wraps",
     OVRIN_CUBEMAP_CROSS_HORIZONTAL,
     3,
     4,
     3,
     {{3, 0, U, 0}, {0, 1, R, 0}, {1, 1, B, 0}, {2, 1, L, 0}, {3, 1, F, 0}, {3, 2, D, 0}}},
    {"horizontal cross k=-1 acts as 3",
     OVRIN_CUBEMAP_CROSS_HORIZONTAL,
     -1,
     4,
     3,
     {{3, 0, U, 0}, {0, 1, R, 0}, {1, 1, B, 0}, {2, 1, L, 0}, {3, 1, F, 0}, {3, 2, D, 0}}},
    {"horizontal cross k=5 acts as 1",
     OVRIN_CUBEMAP_CROSS_HORIZONTAL,
     5,
     4,
     3,
     {{1, 0, U, 0}, {0, 1, L, 0}, {1, 1, F, 0}, {2, 1, R, 0}, {3, 1, B, 0}, {1, 2, D, 0}}},
    {"vertical cross k=1",
     OVRIN_CUBEMAP_CROSS_VERTICAL,
     1,
     3,
     4,
     {{1, 0, U, 0}, {0, 1, L, 0}, {1, 1, F, 0}, {2, 1, R, 0}, {1, 2, D, 0}, {1, 3, B, 180}}},
    {"vertical cross k=0",
     OVRIN_CUBEMAP_CROSS_VERTICAL,
     0,
     3,
     4,
     {{0, 0, L, 0}, {1, 0, F, 0}, {2, 0, R, 0}, {1, 1, D, 0}, {1, 2, B, 180}, {1, 3, U, 0}}},
    {"vertical cross k=-2 acts as 2",
     OVRIN_CUBEMAP_CROSS_VERTICAL,
     -2,
     3,
     4,
     {{1, 0, B, 180}, {1, 1, U, 0}, {0, 2, L, 0}, {1, 2, F, 0}, {2, 2, R, 0}, {1, 3, D, 0}}},
    {"horizontal strip",
     OVRIN_CUBEMAP_STRIP_HORIZONTAL,
     1,
     6,
     1,
     {{0, 0, R, 0}, {1, 0, L, 0}, {2, 0, U, 0}, {3, 0, D, 0}, {4, 0, F, 0}, {5, 0, B, 0}}},
    {"3 x 2 grid",
     OVRIN_CUBEMAP_GRID_HORIZONTAL,
     1,
     3,
     2,
     {{0, 0, R, 0}, {1, 0, L, 0}, {2, 0, U, 0}, {0, 1, D, 0}, {1, 1, F, 0}, {2, 1, B, 0}}},
    {"vertical strip",
     OVRIN_CUBEMAP_STRIP_VERTICAL,
     1,
     1,
     6,
     {{0, 0, R, 0}, {0, 1, L, 0}, {0, 2, U, 0}, {0, 3, D, 0}, {0, 4, F, 0}, {0, 5, B, 0}}},
    {"2 x 3 grid fills the first column first",
     OVRIN_CUBEMAP_GRID_VERTICAL,
     1,
     2,
     3,
     {{0, 0, R, 0}, {1, 0, D, 0}, {0, 1, L, 0}, {1, 1, F, 0}, {0, 2, U, 0}, {1, 2, B, 0}}},
    {"single face", OVRIN_CUBEMAP_SINGLE_FACE, 1, 1, 1, {{0, 0, F, 0}}},
    {"unknown layout 7", 7, 1, 0, 0, {}},
    {"unknown layout -1", -1, 1, 0, 0, {}},
};

TEST(CubemapGrid, LayoutsPlaceFacesAndPassesVisitThemInReadingOrder) {
    Int32 checked = 0;
    for (const LayoutCase& c : layoutCases) {
        SCOPED_TRACE(c.name);
        BaseContainer settings = DefaultSettings();
        settings.SetInt32(OVRINVP_CUBEMAP_LAYOUT, c.layout);
        settings.SetInt32(OVRINVP_CUBEMAP_CROSS_POSITION, c.crossPosition);
        Grid g;
        BuildCubemapGrid(g.cells, g.columns, g.rows, settings, nullptr, false);
        EXPECT_EQ(g.columns, c.columns);
        EXPECT_EQ(g.rows, c.rows);
        EXPECT_EQ(g.Used(), c.used);

        // The pipeline's face views follow the same order, each in its own 256-pixel cell.
        ViewCell eye;
        eye.area.Set(Vector(0, 0, 0), Vector(c.columns * 256 - 1, c.rows * 256 - 1, 0));
        ViewCell faces[6];
        const Int32 n = DeriveFaceViews(faces, eye, true, g.cells, g.columns, g.rows);
        ASSERT_EQ(n, Int32(c.used.size()));
        for (Int32 i = 0; i < n; ++i) {
            EXPECT_EQ(faces[i].channel, c.used[i].face) << "pass " << i;
            EXPECT_EQ(faces[i].rotation, c.used[i].rotation) << "pass " << i;
            EXPECT_EQ(faces[i].area.start, Vector(c.used[i].column * 256, c.used[i].row * 256, 0))
                << "pass " << i;
        }
        ++checked;
    }
    EXPECT_EQ(checked, Int32(layoutCases.size()));
}

TEST(CubemapGrid, CrossPositionWrapsIntoTheCycle) {
    struct Case {
        Int32 k, wrapped;
    };
    const Case cases[] = {{0, 0},
                          {1, 1},
                          {3, 3},
                          {4, 0},
                          {7, 3},
                          {-1, 3},
                          {-4, 0},
                          {-5, 3},
                          {std::numeric_limits<Int32>::min(), 0},
                          {std::numeric_limits<Int32>::max(), 3}};
    for (const Case& c : cases)
        EXPECT_EQ(WrapCrossPosition(c.k), c.wrapped) << "k = " << c.k;

    // The extreme positions must not index outside the grid.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.k);
        BaseContainer settings = DefaultSettings();
        settings.SetInt32(OVRINVP_CUBEMAP_CROSS_POSITION, c.k);
        Grid g;
        BuildCubemapGrid(g.cells, g.columns, g.rows, settings, nullptr, false);
        EXPECT_EQ(g.Used().size(), 6u);
        EXPECT_EQ(g.cells[c.wrapped][1].channel, F);
    }
}

TEST(CubemapGrid, FaceSettingsAreCopiedUnchanged) {
    BaseContainer settings = DefaultSettings();
    settings.SetInt32(OVRINVP_CUBEMAP_LAYOUT, OVRIN_CUBEMAP_GRID_HORIZONTAL);
    settings.SetInt32(OVRINVP_CUBEMAP_FACE_1, F);
    settings.SetInt32(OVRINVP_CUBEMAP_FACE_2, F); // a face twice
    settings.SetInt32(OVRINVP_CUBEMAP_FACE_3, OVRIN_FACE_NONE);
    Grid g;
    BuildCubemapGrid(g.cells, g.columns, g.rows, settings, nullptr, false);
    const std::vector<UsedCell> expected = {
        {0, 0, F, 0}, {1, 0, F, 0}, {0, 1, D, 0}, {1, 1, F, 0}, {2, 1, B, 0}};
    EXPECT_EQ(g.Used(), expected);
}

TEST(CubemapGrid, SingleFaceAndEditorView) {
    struct Case {
        const char* name;
        Int32 layout;
        Int32 singleFace;
        Bool editorView;
        Bool withTag;
        Int32 tagFace;
        std::vector<UsedCell> used;
    };
    const std::vector<Case> cases = {
        {"single face down", OVRIN_CUBEMAP_SINGLE_FACE, D, false, true, U, {{0, 0, D, 0}}},
        {"single face out of range", OVRIN_CUBEMAP_SINGLE_FACE, 6, false, false, 0, {}},
        {"single face none", OVRIN_CUBEMAP_SINGLE_FACE, -1, false, false, 0, {}},
        {"editor view takes the tag's face",
         OVRIN_CUBEMAP_CROSS_HORIZONTAL,
         D,
         true,
         true,
         U,
         {{0, 0, U, 0}}},
        {"editor view without a tag",
         OVRIN_CUBEMAP_STRIP_VERTICAL,
         L,
         true,
         false,
         U,
         {{0, 0, L, 0}}},
        {"editor view of an unknown layout", 9, L, true, true, B, {{0, 0, B, 0}}},
        {"editor view, tag face out of range", OVRIN_CUBEMAP_GRID_VERTICAL, L, true, true, 8, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BaseContainer settings = DefaultSettings();
        settings.SetInt32(OVRINVP_CUBEMAP_LAYOUT, c.layout);
        settings.SetInt32(OVRINVP_CUBEMAP_SINGLE_FACE, c.singleFace);
        BaseContainer tag;
        tag.SetInt32(OVRINTAG_EDITOR_CUBE_FACE, c.tagFace);
        Grid g;
        BuildCubemapGrid(g.cells, g.columns, g.rows, settings, c.withTag ? &tag : nullptr,
                         c.editorView);
        EXPECT_EQ(g.columns, 1);
        EXPECT_EQ(g.rows, 1);
        EXPECT_EQ(g.Used(), c.used);
    }
}

TEST(CubemapGrid, RebuildResetsEveryCell) {
    Grid g;
    BaseContainer settings = DefaultSettings(); // horizontal cross
    BuildCubemapGrid(g.cells, g.columns, g.rows, settings, nullptr, false);
    g.cells[5][5].info.strName = "stale";
    g.cells[5][5].info.offX = 0.25;
    g.cells[5][5].area.Set(Vector(1, 1, 0), Vector(9, 9, 0));
    g.cells[5][5].flipX = true;

    settings.SetInt32(OVRINVP_CUBEMAP_LAYOUT, OVRIN_CUBEMAP_STRIP_HORIZONTAL);
    BuildCubemapGrid(g.cells, g.columns, g.rows, settings, nullptr, false);
    EXPECT_EQ(g.Used().size(), 6u); // nothing left of the cross in rows 1 and 2
    const ViewCell& c = g.cells[5][5];
    EXPECT_EQ(c.info.strName, String());
    EXPECT_EQ(c.info.offX, 0.0);
    EXPECT_EQ(c.info.m, Matrix());
    EXPECT_EQ(c.area.width, 0);
    EXPECT_FALSE(c.flipX);
}

TEST(CubemapGrid, FaceLabelIndexFallsBackToTheNoFaceImage) {
    const std::pair<Int32, Int32> cases[] = {
        {-1, 6}, {0, 0}, {3, 3}, {5, 5}, {6, 6}, {7, 6}, {std::numeric_limits<Int32>::min(), 6}};
    for (const auto& [code, index] : cases)
        EXPECT_EQ(FaceLabelIndex(code), index) << "face code " << code;
}

} // namespace
