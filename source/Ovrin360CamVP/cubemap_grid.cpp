#include "cubemap_grid.h"

#include "OvrinTag/otag_ids.h"
#include "ovp_ids.h"

namespace {

using Grid = ViewCell[CUBEMAP_GRID_SIZE][CUBEMAP_GRID_SIZE];

// One face of a cross: along is its step from the cross position on the long arm, across its
// fixed place on the other axis.
struct CrossCell {
    Int32 along;
    Int32 across;
    Int32 face;
    Int32 rotation;
};

// Horizontal cross, long arm = the middle row: up above the front, down below it.
constexpr CrossCell horizontalCross[] = {
    {0, 0, OVRIN_FACE_UP, 0},   {0, 1, OVRIN_FACE_FRONT, 0}, {1, 1, OVRIN_FACE_RIGHT, 0},
    {2, 1, OVRIN_FACE_BACK, 0}, {3, 1, OVRIN_FACE_LEFT, 0},  {0, 2, OVRIN_FACE_DOWN, 0},
};

// Vertical cross, long arm = the middle column: left and right beside the front, the back
// turned upside down so it joins the down face.
constexpr CrossCell verticalCross[] = {
    {0, 0, OVRIN_FACE_LEFT, 0}, {0, 1, OVRIN_FACE_FRONT, 0},  {0, 2, OVRIN_FACE_RIGHT, 0},
    {1, 1, OVRIN_FACE_DOWN, 0}, {2, 1, OVRIN_FACE_BACK, 180}, {3, 1, OVRIN_FACE_UP, 0},
};

// The cells of the face settings F1 … F6 in the four plain layouts.
struct Place {
    Int32 column;
    Int32 row;
};
struct PlainLayout {
    Int32 layout;
    Int32 columns;
    Int32 rows;
    Place places[OVRIN_FACE_COUNT];
};
constexpr PlainLayout plainLayouts[] = {
    {OVRIN_CUBEMAP_STRIP_HORIZONTAL, 6, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}},
    {OVRIN_CUBEMAP_GRID_HORIZONTAL, 3, 2, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}},
    {OVRIN_CUBEMAP_STRIP_VERTICAL, 1, 6, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}}},
    {OVRIN_CUBEMAP_GRID_VERTICAL, 2, 3, {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}}},
};

constexpr Int32 faceSettings[OVRIN_FACE_COUNT] = {
    OVRINVP_CUBEMAP_FACE_1, OVRINVP_CUBEMAP_FACE_2, OVRINVP_CUBEMAP_FACE_3,
    OVRINVP_CUBEMAP_FACE_4, OVRINVP_CUBEMAP_FACE_5, OVRINVP_CUBEMAP_FACE_6,
};

Bool IsCubeFace(Int32 code) {
    return code >= 0 && code < OVRIN_FACE_COUNT;
}

void SetCell(ViewCell& cell, Int32 face, Int32 rotation) {
    cell.channel = face;
    cell.rotation = rotation;
}

void SingleFace(Grid& cells, Float& columns, Float& rows, Int32 face) {
    columns = rows = 1;
    if (IsCubeFace(face))
        SetCell(cells[0][0], face, 0);
}

} // namespace

Int32 WrapCrossPosition(Int32 k) {
    return ((k % 4) + 4) % 4;
}

Int32 FaceLabelIndex(Int32 faceCode) {
    return IsCubeFace(faceCode) ? faceCode : OVRIN_FACE_COUNT;
}

void BuildCubemapGrid(Grid& cells, Float& columns, Float& rows, const BaseContainer& settings,
                      const BaseContainer* tagData, Bool editorView) {
    columns = rows = 0;
    for (auto& column : cells)
        for (ViewCell& cell : column)
            cell = ViewCell();

    if (editorView) {
        const Int32 face = tagData ? tagData->GetInt32(OVRINTAG_EDITOR_CUBE_FACE)
                                   : settings.GetInt32(OVRINVP_CUBEMAP_SINGLE_FACE);
        SingleFace(cells, columns, rows, face);
        return;
    }

    const Int32 layout = settings.GetInt32(OVRINVP_CUBEMAP_LAYOUT);
    const Int32 k = WrapCrossPosition(settings.GetInt32(OVRINVP_CUBEMAP_CROSS_POSITION));
    switch (layout) {
    case OVRIN_CUBEMAP_CROSS_HORIZONTAL:
        columns = 4;
        rows = 3;
        for (const CrossCell& c : horizontalCross)
            SetCell(cells[(k + c.along) % 4][c.across], c.face, c.rotation);
        return;
    case OVRIN_CUBEMAP_CROSS_VERTICAL:
        columns = 3;
        rows = 4;
        for (const CrossCell& c : verticalCross)
            SetCell(cells[c.across][(k + c.along) % 4], c.face, c.rotation);
        return;
    case OVRIN_CUBEMAP_SINGLE_FACE:
        SingleFace(cells, columns, rows, settings.GetInt32(OVRINVP_CUBEMAP_SINGLE_FACE));
        return;
    default:
        break;
    }
    for (const PlainLayout& plain : plainLayouts) {
        if (plain.layout != layout)
            continue;
        columns = plain.columns;
        rows = plain.rows;
        for (Int32 i = 0; i < OVRIN_FACE_COUNT; ++i) {
            const Place& p = plain.places[i];
            SetCell(cells[p.column][p.row], settings.GetInt32(faceSettings[i]), 0);
        }
        return;
    }
}
