// Image areas and view cells: the pixel rectangles one output image is cut into (eyes, cube
// faces, the pass being rendered, the dome's logo corner), and the views rendered into them.
// Plain arithmetic on numbers the pipeline reads from the host.
#pragma once

#include "c4d_stereo.h"
#include "ge_vector.h"

// An inclusive pixel rectangle, (0, 0) at the top left, y downwards.
struct Area {
    Vector start;       // first column and row
    Vector end;         // last column and row
    Vector size;        // (width, height, 0)
    Vector center;      // centre in pixel coordinates
    Int32 width = 0;    // number of columns
    Int32 height = 0;   // number of rows
    Float aspect = 0;   // width / height, 0 for a zero height
    Float radius = 0;   // half the diameter
    Int32 diameter = 0; // the shorter side

    // The area rule: derives every other member from start and end.
    void Update();
    void Set(const Vector& first, const Vector& last) {
        start = first;
        end = last;
        Update();
    }
};

// One rendered view: an eye (channel 0 left, 1 right) or a cube face (channel = face code
// 0 left, 1 right, 2 down, 3 up, 4 back, 5 front); channel −1 is no view.
struct ViewCell {
    StereoCameraInfo info;
    Area area;
    Int32 channel = -1;
    Int32 rotation = 0; // degrees: 0, 90, 180 or 270; anything else acts as 0
    Bool flipX = false;
    Bool flipY = false;

    // Zero area, channel −1, no rotation or flips; the camera info is kept.
    void Reset() {
        area = Area();
        channel = -1;
        rotation = 0;
        flipX = flipY = false;
    }
};

// Whole image of a W × H render.
Area WholeImageArea(Float width, Float height);

// Pillar- or letter-boxes area to aspect (centred, an odd remainder stays inside). aspect ≤ 0
// leaves it alone; a cubemap is always fitted to 1.
void FitEditorView(Area& area, Float aspect, Bool cubemap);

// How the eyes share the image.
struct EyeLayout {
    Bool stereo = false;
    Int32 eyeCount = 1;
    Bool swapEyes = false;    // two eyes: the left part shows the right eye
    Int32 singleChannel = 0;  // one eye: non-zero renders the right eye
    Bool splitWidth = false;  // side by side
    Bool splitHeight = false; // top and bottom
    Bool sideBySide = false;  // the eyes take the mirroring settings below
    Bool leftFlipX = false, leftFlipY = false;
    Bool rightFlipX = false, rightFlipY = false;
};

// Channels, flips and areas of the eyes; the caller fills each eye's camera info from its
// channel afterwards.
void DeriveEyeViews(ViewCell (&eyes)[2], const Area& renderArea, const EyeLayout& layout);

// Cube faces placed into eye 0's area from a grid of cells[column][row] (channel < 0 = empty),
// columns × rows of them, in reading order. Not a cubemap: the one face is eye 0's whole area
// with channel 0 and no rotation or flips of its own. Returns the number of faces filled.
Int32 DeriveFaceViews(ViewCell (&faces)[6], const ViewCell& eye0, Bool cubemap,
                      const ViewCell (&cells)[6][6], Float columns, Float rows);

// The area of one pass: the face's cell placed inside the eye's part of the image, or the whole
// fitted frame in an editor-view render.
Area PassArea(const ViewCell& face, const ViewCell& eye, const Area& frameArea, Bool editorView);

// The square between the dome circle and the bottom-right corner of its bounding square.
struct DomeCorner {
    Float domeDiameter = 0;
    Float cornerSize = 0;
    Area logoCorner;
};
DomeCorner DeriveDomeCorner(const Area& renderArea);
