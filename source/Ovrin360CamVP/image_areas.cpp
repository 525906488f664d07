#include "image_areas.h"

#include "ge_math.h"

#include <algorithm>

void Area::Update() {
    width = SAFEINT32(end.x - start.x + 1);
    height = SAFEINT32(end.y - start.y + 1);
    size = Vector(width, height, 0);
    // The half sizes are single-precision products, as the host's Float32 code had them.
    center = Vector(Float(Float32(width) * 0.5f) + start.x - 0.5,
                    Float(Float32(height) * 0.5f) + start.y - 0.5, 0);
    diameter = std::min(width, height);
    radius = Float(Float32(diameter) * 0.5f);
    aspect = height != 0 ? Float(width) / Float(height) : 0.0;
}

Area WholeImageArea(Float width, Float height) {
    Area a;
    a.Set(Vector(0, 0, 0), Vector(width - 1, height - 1, 0));
    return a;
}

void FitEditorView(Area& area, Float aspect, Bool cubemap) {
    if (!(aspect > 0))
        return;
    const Float a = cubemap ? 1.0 : aspect;
    const Int32 w = area.width, h = area.height;
    Int32 dx = 0, dy = 0;
    if (area.aspect > a)
        dx = SAFEINT32(Float32(w - SAFEINT32(a * h)) * 0.5f);
    else if (a > area.aspect)
        dy = SAFEINT32(Float32(h - SAFEINT32(w / a)) * 0.5f);
    const Vector margin(dx, dy, 0);
    area.Set(area.start + margin, area.end - margin);
}

void DeriveEyeViews(ViewCell (&eyes)[2], const Area& renderArea, const EyeLayout& layout) {
    for (ViewCell& eye : eyes)
        eye.Reset();
    if (!layout.stereo) {
        eyes[0].area = renderArea;
        eyes[0].channel = 0;
        return;
    }
    const Int32 count = std::clamp(layout.eyeCount, 1, 2);
    if (count == 1) {
        eyes[0].channel = layout.singleChannel != 0 ? 1 : 0;
    } else {
        eyes[0].channel = layout.swapEyes ? 1 : 0;
        eyes[1].channel = layout.swapEyes ? 0 : 1;
    }
    for (Int32 i = 0; i < count; ++i) {
        ViewCell& eye = eyes[i];
        if (layout.sideBySide) {
            eye.flipX =
                eye.channel == 0 ? layout.leftFlipX : (eye.channel == 1 && layout.rightFlipX);
            eye.flipY =
                eye.channel == 0 ? layout.leftFlipY : (eye.channel == 1 && layout.rightFlipY);
        }
        Area area = renderArea;
        // The split follows the eye index, not its channel: swapped eyes trade places.
        if (layout.splitWidth) {
            const Int32 s = renderArea.width / count;
            area.start.x = s * i;
            area.end.x = s * (i + 1) - 1;
        } else if (layout.splitHeight) {
            const Int32 s = renderArea.height / count;
            area.start.y = s * i;
            area.end.y = s * (i + 1) - 1;
        }
        area.Update();
        eye.area = area;
    }
}

Int32 DeriveFaceViews(ViewCell (&faces)[6], const ViewCell& eye0, Bool cubemap,
                      const ViewCell (&cells)[6][6], Float columns, Float rows) {
    for (ViewCell& face : faces)
        face.Reset();
    if (!cubemap) {
        faces[0].info = eye0.info;
        faces[0].area = eye0.area;
        faces[0].channel = 0;
        return 1;
    }
    if (!(rows > 0))
        return 0;
    const Float cw = eye0.area.width / columns;
    const Float ch = eye0.area.height / rows;
    Int32 n = 0;
    for (Int32 row = 0; row < rows && row < 6; ++row) {
        const Int32 y1 = SAFEINT32(row * ch);
        const Int32 y2 = SAFEINT32(ch * (row + 1) - 1);
        for (Int32 col = 0; col < columns && col < 6; ++col) {
            const ViewCell& cell = cells[col][row];
            if (cell.channel < 0 || n >= 6)
                continue;
            const Int32 x1 = SAFEINT32(col * cw);
            const Int32 x2 = SAFEINT32(cw * (col + 1) - 1);
            faces[n] = cell;
            faces[n].area.Set(Vector(x1, y1, 0), Vector(x2, y2, 0));
            ++n;
        }
    }
    return n;
}

Area PassArea(const ViewCell& face, const ViewCell& eye, const Area& frameArea, Bool editorView) {
    if (editorView)
        return frameArea;
    Area a;
    a.Set(face.area.start + eye.area.start, face.area.end + eye.area.start);
    return a;
}

DomeCorner DeriveDomeCorner(const Area& renderArea) {
    DomeCorner c;
    c.domeDiameter = renderArea.diameter;
    // Distance from a corner of the bounding square to the circle along each axis: r·(1 − √2/2).
    c.cornerSize = renderArea.radius + renderArea.radius * (-0.7071067811865475);
    const Vector& e = renderArea.end;
    c.logoCorner.Set(Vector(e.x - c.cornerSize, e.y - c.cornerSize, 0), Vector(e.x, e.y, 0));
    return c;
}
