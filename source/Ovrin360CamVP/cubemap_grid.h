// Cubemap layouts: how the six cube faces are packed into one image, as a grid of cells
// addressed [column][row] that each hold a face code (or none) and a rotation.
#pragma once

#include "c4d_basecontainer.h"
#include "image_areas.h"

inline constexpr Int32 CUBEMAP_GRID_SIZE = 6; // cells per grid side

// The cross position as a cycle of 0..3, negative values included (−1 is 3).
Int32 WrapCrossPosition(Int32 k);

// Resets all 36 cells and fills them from the render effect's layout settings: the layout,
// the cross position, the single face and the six face settings. An editor-view grid is one
// cell showing the tag's editor face (or the single-face setting without a tag). The layout's
// size in cells goes to columns and rows; an unknown layout gives 0 × 0.
void BuildCubemapGrid(ViewCell (&cells)[CUBEMAP_GRID_SIZE][CUBEMAP_GRID_SIZE], Float& columns,
                      Float& rows, const BaseContainer& settings, const BaseContainer* tagData,
                      Bool editorView);

// Index of the label image for a cell's face code: the face itself for 0..5, 6 (the no-face
// image) for an empty cell or a code outside the cube's faces.
Int32 FaceLabelIndex(Int32 faceCode);
