#include "ovrin_stereo.h"

#include "OvrinTag/otag_ids.h"
#include "ovrin_geometry.h"
#include "ovrin_trig.h"

#include <cmath>

// The eye matrix follows the product chain of the stereo geometry step by step; the helpers
// below are those products and builders with their idle terms left out (a zero entry adds
// nothing), plus a few rewrites that trade a libm call for a square root where the angle
// itself is not needed. They agree with the plain chain to a few units in the last place.
namespace {

// R·T for a pure rotation T: R's offset stays.
Matrix64 rotated(const Matrix64& r, const Matrix64& t) {
    return {r.offset, r.TransformVector(t.axisX), r.TransformVector(t.axisY),
            r.TransformVector(t.axisZ)};
}

// The rotation part of R·MatrixRotY(a) or R·MatrixRotZ(a) applied to v, from c = cos(a) and
// s = sin(a).
Vector64 turnedRotate(const Matrix64& r, Bool aboutZ, Float c, Float s, const Vector64& v) {
    if (aboutZ)
        return (r.axisX * c + r.axisY * -s) * v.x + (r.axisX * s + r.axisY * c) * v.y +
               r.axisZ * v.z;
    return (r.axisX * c + r.axisZ * s) * v.x + r.axisY * v.y + (r.axisX * -s + r.axisZ * c) * v.z;
}

// cos and sin of a = atan2(dir.z, dir.x) − π/2: (dir.z, −dir.x)/|(dir.x, dir.z)|. A ray along
// ±Y (both zero) keeps atan2's own answer for the zeros, e.g. a = −π/2 for (0, 1, 0).
void acrossHeading(const Vector64& dir, Float& c, Float& s) {
    const Float h2 = dir.x * dir.x + dir.z * dir.z;
    if (h2 == 0.0) {
        ovrin::sinCos(std::atan2(dir.z, dir.x) - PI05, s, c);
        return;
    }
    const Float inv = 1.0 / std::sqrt(h2);
    c = dir.z * inv;
    s = -dir.x * inv;
}

// The rotation part of ~m applied to v, by Cramer's rule; v itself when m is singular, as ~m
// is the identity then.
Vector64 inverseRotate(const Matrix64& m, const Vector64& v) {
    const Vector64 bc = Cross(m.axisY, m.axisZ);
    const Float det = Dot(m.axisX, bc);
    if (det == 0.0)
        return v;
    return Vector64(Dot(v, bc), Dot(m.axisX, Cross(v, m.axisZ)), Dot(m.axisX, Cross(m.axisY, v))) *
           (1.0 / det);
}

// RotAxisToMatrix(axis, acos(cosAngle)) with cosAngle clamped to [−1, 1]. The half angle's
// sine and cosine come from cosAngle directly: 1 ∓ cosAngle is exact where it matters
// (cosAngle near ±1), so this is as accurate as going through acos.
Matrix64 rotAxisByCosine(const Vector64& axis, Float cosAngle) {
    const Float len2 = axis.GetSquaredLength();
    if (cosAngle >= 1.0 || len2 == 0.0)
        return {};
    const Float c = cosAngle <= -1.0 ? -1.0 : cosAngle;
    // q = (axis / |axis|) · sin(angle/2), with one root for both factors.
    const Vector64 q = axis * std::sqrt((1.0 - c) * 0.5 / len2);
    const Float cosHalf = std::sqrt((1.0 + c) * 0.5);
    const Float qx = q.x, qy = q.y, qz = q.z, qw = cosHalf;
    return {{0, 0, 0},
            {1 - 2 * (qy * qy + qz * qz), 2 * (qx * qy - qw * qz), 2 * (qx * qz + qw * qy)},
            {2 * (qx * qy + qw * qz), 1 - 2 * (qx * qx + qz * qz), 2 * (qy * qz - qw * qx)},
            {2 * (qx * qz - qw * qy), 2 * (qy * qz + qw * qx), 1 - 2 * (qx * qx + qy * qy)}};
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

Matrix64 GetStereoCamMatrix(const BaseObject* camera, const StereoCameraInfo& info, Vector64 dir,
                            Int32 axis, Bool domeAxisUp, Float convergence, Float eyeSeparation,
                            Float separation, Vector64& convergencePoint, Vector64& toeInAxis) {
    const Matrix64 worldFromCamera = camera ? camera->GetMg() : Matrix64();
    Matrix64 r = info.m;
    // The eye's offset from the camera centre, in the eye's own axes.
    const Vector64 offset = inverseRotate(r, r.offset - worldFromCamera.offset);

    if (axis >= 1 && axis <= 3) {
        // R·Move(−L)·Q(a)·Move(s·L)·Q(−a): the eye moves to the camera centre plus the scaled
        // offset turned by a about y or z, and keeps its orientation (Q(a)·Q(−a) = 1).
        // Fulldome swaps the axes: its zenith is camera z.
        Float c, s;
        if (axis == 1)
            acrossHeading(dir, c, s);
        else
            ovrin::sinCos(-PI05 * dir.x, s, c);
        const Bool aboutZ = (axis == 3) != domeAxisUp;
        r.offset = (r.offset - r.TransformVector(offset)) +
                   turnedRotate(r, aboutZ, c, s, offset * separation);
    } else {
        // R·Move(−(1 − s)·L): toward the camera centre, to s times the offset.
        r.offset = r * -(offset * (1.0 - separation));
    }
    if (domeAxisUp)
        r = rotated(r, quarterTurnBackX); // undoes the lens's quarter turn of the dome

    convergencePoint = Vector64(0, 0, 0);
    toeInAxis = Vector64(0, 0, 0);
    if (!(separation > 0 && eyeSeparation > 0 && convergence > 0 && isToeInEye(info.strName)))
        return r;

    const Matrix64 camFrame =
        domeAxisUp ? rotated(worldFromCamera, quarterTurnBackX) : worldFromCamera;
    convergencePoint = dir * convergence;
    // The angle between the ray and the line from the unturned eye offset to that point.
    const Vector64 toPoint = convergencePoint - offset;
    const Float k = dir.GetSquaredLength() * toPoint.GetSquaredLength();
    const Float cosAngle = k != 0.0 ? Dot(toPoint, dir) / std::sqrt(k) : 0.0;
    // The turn is about the normal of the plane through the camera centre, the eye and the
    // point one unit along the ray, so the eye turns toward the ray's line.
    const Vector64 eye = r.offset;
    const Vector64 ahead = camFrame * dir;
    const Vector64 normal = Cross(camFrame.offset - eye, ahead - eye);
    const Vector64 localNormal = inverseRotate(camFrame, normal);
    const Float normalLength = normal.GetLength();
    toeInAxis = normalLength != 0.0 ? localNormal * (1.0 / normalLength) : localNormal;
    return rotated(r, rotAxisByCosine(localNormal, cosAngle));
}
