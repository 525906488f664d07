#include "c4d_baseobject.h"

#include "c4d_basetag.h"
#include "node_access.h"

#include <algorithm>
#include <cmath>

Matrix HPBToMatrix(const Vector& hpb) {
    return MatrixRotY(hpb.x) * MatrixRotX(hpb.y) * MatrixRotZ(hpb.z);
}

Vector MatrixToHPB(const Matrix& m) {
    // With R = RotY(h)·RotX(p)·RotZ(b): R·ez = (−sin h·cos p, sin p, cos h·cos p),
    // (R·ex).y = −sin b·cos p and (R·ey).y = cos b·cos p.
    const Vector x = m.axisX.GetNormalized();
    const Vector y = m.axisY.GetNormalized();
    const Vector z = m.axisZ.GetNormalized();
    const Float p = std::asin(std::clamp(z.y, -1.0, 1.0));
    if (std::abs(z.y) > 1.0 - 1e-12) // straight up or down: put the whole turn into the heading
        return {std::atan2(x.z, x.x), p, 0.0};
    return {std::atan2(-z.x, z.z), p, std::atan2(-x.y, y.y)};
}

BaseObject::BaseObject(Int32 type) : BaseList2D(type), tags_(this, nullptr, false) {}

BaseObject::~BaseObject() {
    tags_.FlushAll();
}

BaseObject* BaseObject::Alloc(Int32 type) {
    if (type == Ocamera)
        return new CameraObject();
    auto* op = new BaseObject(type);
    BaseContainer& bc = *op->GetDataInstance();
    switch (type) {
    case Onull:
        break;
    case Olight:
        bc.SetVector(LIGHT_COLOR, {1, 1, 1});
        break;
    case Ocube:
        bc.SetVector(OBJECT_COLOR, {0.8, 0.8, 0.8});
        bc.SetVector(PRIM_CUBE_SIZE, {200, 200, 200});
        break;
    case Osphere:
        bc.SetVector(OBJECT_COLOR, {0.8, 0.8, 0.8});
        bc.SetFloat(PRIM_SPHERE_RADIUS, 100);
        break;
    case Oplane:
        bc.SetVector(OBJECT_COLOR, {0.8, 0.8, 0.8});
        bc.SetFloat(PRIM_PLANE_WIDTH, 400);
        bc.SetFloat(PRIM_PLANE_DEPTH, 400);
        break;
    default:
        delete op;
        return nullptr;
    }
    return op;
}

BaseTag* BaseObject::GetFirstTag() const {
    return static_cast<BaseTag*>(tags_.GetFirst());
}

BaseTag* BaseObject::GetTag(Int32 type, Int32 nr) const {
    for (BaseTag* t = GetFirstTag(); t; t = t->GetNext()) {
        if (t->IsInstanceOf(type) && nr-- == 0)
            return t;
    }
    return nullptr;
}

void BaseObject::InsertTag(BaseTag* tag, BaseTag* pred) {
    if (!tag)
        return;
    if (pred && pred != tag && pred->GetObject() == this)
        tag->InsertAfter(pred);
    else
        tags_.InsertFirst(tag);
    SetDirty(DIRTYFLAGS_CHILDREN);
}

BaseTag* BaseObject::MakeTag(Int32 type, BaseTag* pred) {
    BaseTag* tag = BaseTag::Alloc(type);
    if (tag)
        InsertTag(tag, pred);
    return tag;
}

void BaseObject::SetRelPos(const Vector& v) {
    pos_ = v;
    UpdateLocalMatrix();
}

void BaseObject::SetRelRot(const Vector& v) {
    rot_ = v;
    UpdateLocalMatrix();
}

void BaseObject::SetRelScale(const Vector& v) {
    scale_ = v;
    UpdateLocalMatrix();
}

void BaseObject::SetMl(const Matrix& m) {
    ml_ = m;
    pos_ = m.offset;
    rot_ = MatrixToHPB(m);
    scale_ = Vector(m.axisX.GetLength(), m.axisY.GetLength(), m.axisZ.GetLength());
    UpdateGlobalMatrices();
}

void BaseObject::SetMg(const Matrix& m) {
    SetMl(GetUp() ? MatrixInverse(GetUpMg()) * m : m);
}

Matrix BaseObject::GetUpMg() const {
    const BaseObject* up = GetUp();
    return up ? up->mg_ : Matrix();
}

void BaseObject::UpdateLocalMatrix() {
    Matrix m = HPBToMatrix(rot_);
    m.offset = pos_;
    m.axisX *= scale_.x;
    m.axisY *= scale_.y;
    m.axisZ *= scale_.z;
    ml_ = m;
    UpdateGlobalMatrices();
}

void BaseObject::UpdateGlobalMatrices() {
    const BaseObject* up = GetUp();
    mg_ = up ? up->mg_ * ml_ : ml_;
    SetDirty(DIRTYFLAGS_MATRIX);
    for (BaseObject* child = GetDown(); child; child = child->GetNext())
        child->UpdateGlobalMatrices();
}

C4DAtom* BaseObject::CloneAtom(COPYFLAGS flags) const {
    BaseObject* copy = Alloc(GetType());
    if (!copy)
        return nullptr;
    CopyBaseTo(copy);
    copy->pos_ = pos_;
    copy->rot_ = rot_;
    copy->scale_ = scale_;
    copy->ml_ = ml_;
    copy->mg_ = ml_;
    copy->renderMode_ = renderMode_;
    copy->editorMode_ = editorMode_;
    if (!(flags & COPYFLAGS_NO_BRANCHES)) {
        for (const BaseTag* t = GetFirstTag(); t; t = t->GetNext()) {
            if (auto* tc = static_cast<BaseTag*>(t->GetClone(flags, nullptr)))
                copy->tags_.InsertLast(tc);
        }
    }
    if (!(flags & COPYFLAGS_NO_HIERARCHY)) {
        for (const BaseObject* c = GetDown(); c; c = c->GetNext()) {
            if (auto* cc = static_cast<BaseObject*>(c->GetClone(flags, nullptr)))
                cc->InsertUnderLast(copy);
        }
    }
    return copy;
}

// ---- CameraObject -------------------------------------------------------------------------

CameraObject::CameraObject() : BaseObject(Ocamera) {
    WriteDefaults(*GetDataInstance());
}

void CameraObject::WriteDefaults(BaseContainer& bc) {
    bc.SetFloat(CAMERA_FOCUS, 36.0);
    bc.SetFloat(CAMERA_APERTURE, 36.0);
    bc.SetBool(CAMERA_DRAW_VIEW_CONE, true);
    bc.SetInt32(CAMERA_STEREO_MODE, 0);
    bc.SetFloat(CAMERA_STEREO_EYE_SEPARATION, 6.5);
    bc.SetInt32(CAMERA_STEREO_CONVERGENCE_MODE, 0);
    bc.SetBool(CAMERA_STEREO_SHOW_EYES, true);
    bc.SetBool(CAMERA_STEREO_SHOW_PLANE, false);
    bc.SetFloat(CAMERA_STEREO_ZERO_PARALLAX, 1000.0);
}
