#include "ovrin_stereo.h"

#include "OvrinTag/otag_ids.h"
#include "ovrin_geometry.h"

#include <cmath>

namespace {

// R·MatrixMove(t): only the offset changes.
Matrix64 moved(const Matrix64& r, const Vector64& t) {
    return {r * t, r.axisX, r.axisY, r.axisZ};
}

// R·MatrixRotY(a) or R·MatrixRotZ(a) from c = cos(a), s = sin(a); the zero entries of the
// builder add nothing, so this is the full product without its idle terms.
Matrix64 turned(const Matrix64& r, Bool aboutZ, Float c, Float s) {
    if (aboutZ)
        return {r.offset, r.axisX * c + r.axisY * -s, r.axisX * s + r.axisY * c, r.axisZ};
    return {r.offset, r.axisX * c + r.axisZ * s, r.axisY, r.axisX * -s + r.axisZ * c};
}

// The eye's name is "0" (left) or "1" (right): the eyes that toe in. "2" is a centre eye.
Bool isToeInEye(const String& name) {
    return name.GetLength() == 1 && (name[0] == '0' || name[0] == '1');
}

} // namespace

Bool IsFulldomeAxis(const BaseContainer* tag) {
    return tag && tag->GetInt32(OVRINTAG_PROJECTION) == OVRINTAG_PROJECTION_DOME &&
           tag->GetInt32(OVRINTAG_DOME_AXIS) == OVRINTAG_DOME_AXIS_UP;
}

Int32 GetStereoAxis(const BaseContainer* tag) {
    return tag ? tag->GetInt32(OVRINTAG_STEREO_AXIS) : 0;
}

Matrix64 GetStereoCamMatrix(const CameraObject* camera, const StereoCameraInfo& info, Vector64 dir,
                            Int32 axis, Bool domeAxisUp, Float convergence, Float eyeSeparation,
                            Float separation, Vector64& convergencePoint, Vector64& toeInAxis) {
    const Matrix64 worldFromCamera = camera ? camera->GetMg() : Matrix64();
    Matrix64 r = info.m;
    // The eye's offset from the camera centre, in the eye's own axes.
    const Vector64 offset = (~r).TransformVector(r.offset - worldFromCamera.offset);

    if (axis >= 1 && axis <= 3) {
        // Turn the (scaled) offset by a about y or z while the eye keeps its orientation:
        // R·Move(−L)·Q(a)·Move(s·L)·Q(−a). Fulldome swaps the axes: its zenith is camera z.
        const Float a = axis == 1 ? std::atan2(dir.z, dir.x) - PI05 : -PI05 * dir.x;
        const Bool aboutZ = (axis == 3) != domeAxisUp;
        const Float c = std::cos(a), s = std::sin(a);
        r = moved(r, -offset);
        r = turned(r, aboutZ, c, s);
        r = moved(r, offset * separation);
        r = turned(r, aboutZ, std::cos(-a), std::sin(-a));
    } else {
        r = moved(r, -(offset * (1.0 - separation)));
    }
    if (domeAxisUp)
        r = r * quarterTurnBackX; // undoes the lens's quarter turn of the dome

    convergencePoint = Vector64(0, 0, 0);
    toeInAxis = Vector64(0, 0, 0);
    if (!(separation > 0 && eyeSeparation > 0 && convergence > 0 && isToeInEye(info.strName)))
        return r;

    const Matrix64 camFrame = domeAxisUp ? worldFromCamera * quarterTurnBackX : worldFromCamera;
    convergencePoint = dir * convergence;
    // The angle between the ray and the line from the unturned eye offset to the point.
    const Vector64 toPoint = (convergencePoint - offset).GetNormalized();
    const Float k = dir.GetSquaredLength() * toPoint.GetSquaredLength();
    const Float cosAngle = Dot(toPoint, dir) * (k != 0.0 ? std::sqrt(1.0 / k) : 0.0);
    const Float angle = cosAngle >= 1.0 ? 0.0 : (cosAngle <= -1.0 ? PI : std::acos(cosAngle));
    // The turn is about the normal of the plane through the camera centre, the eye and the
    // point one unit along the ray, so the eye turns toward the ray's line.
    const Vector64 eye = r.offset;
    const Vector64 ahead = camFrame * dir;
    const Vector64 normal = Cross(camFrame.offset - eye, ahead - eye).GetNormalized();
    toeInAxis = (~camFrame).TransformVector(normal);
    return r * RotAxisToMatrix(toeInAxis, angle);
}
