// Scene objects: a tree of objects, each with its ordered tags, a local transform given as
// position, rotation (heading, pitch, bank) and scale, and a global matrix that the host keeps
// cached, so GetMg() is a plain read that render threads may make at any rate.
#pragma once

#include "c4d_baselist.h"
#include "ge_matrix.h"

class BaseTag;

enum : Int32 {
    Obase = 5155, // every object is an instance of this
    Onull = 5140,
    Ocamera = 5103,
    Olight = 5102,  // a directional light along its +Z
    Ocube = 5159,   // a box centred on its origin
    Osphere = 5160, // a sphere centred on its origin
    Oplane = 5168,  // a rectangle in its XZ plane, facing +Y
};

// Parameters of the host's shapes and light (container ids).
enum : Int32 {
    OBJECT_COLOR = 900,        // Vector: surface colour of a shape, 0..1 per channel
    PRIM_CUBE_SIZE = 1100,     // Vector: edge lengths along X, Y, Z
    PRIM_PLANE_WIDTH = 1100,   // Float: along X
    PRIM_PLANE_DEPTH = 1101,   // Float: along Z
    PRIM_SPHERE_RADIUS = 1110, // Float
    LIGHT_COLOR = 1000,        // Vector: 0..1 per channel; black switches the light off
};

// Render and editor visibility.
enum : Int32 {
    MODE_ON = 0,
    MODE_OFF = 1,
    MODE_UNDEF = 2, // as the parent has it
};

// The rotation matrix of heading, pitch, bank: MatrixRotY(h) · MatrixRotX(p) · MatrixRotZ(b).
// (0, +π/2, 0) turns +Z onto +Y (looking straight up).
Matrix HPBToMatrix(const Vector& hpb);
// The heading, pitch, bank of a rotation matrix (its axes may carry scale). At straight up or
// down the bank is 0 and the heading takes the whole turn about Y.
Vector MatrixToHPB(const Matrix& m);

class BaseObject : public BaseList2D {
public:
    // A free-standing object of type Onull; Alloc makes objects of other types.
    BaseObject() : BaseObject(Onull) {}
    ~BaseObject() override;

    // A new object of type (a CameraObject for Ocamera); null for an unknown type.
    static BaseObject* Alloc(Int32 type);
    static void Free(BaseObject*& op) {
        host::FreeNode(op);
        op = nullptr;
    }

    Bool IsInstanceOf(Int32 type) const override {
        return type == Obase || BaseList2D::IsInstanceOf(type);
    }

    BaseObject* GetNext() const { return static_cast<BaseObject*>(GeListNode::GetNext()); }
    BaseObject* GetPred() const { return static_cast<BaseObject*>(GeListNode::GetPred()); }
    BaseObject* GetUp() const { return static_cast<BaseObject*>(GeListNode::GetUp()); }
    BaseObject* GetDown() const { return static_cast<BaseObject*>(GeListNode::GetDown()); }

    // ---- Tags, in order --------------------------------------------------------------------
    BaseTag* GetFirstTag() const;
    // The nr-th tag (0 first) that is an instance of type, or null.
    BaseTag* GetTag(Int32 type, Int32 nr = 0) const;
    // After pred, or as the first tag when pred is null (or not a tag of this object).
    void InsertTag(BaseTag* tag, BaseTag* pred = nullptr);
    // Allocates a tag of type and inserts it after pred (first for null); null on failure.
    BaseTag* MakeTag(Int32 type, BaseTag* pred = nullptr);

    // ---- Transform -------------------------------------------------------------------------
    const Vector& GetRelPos() const { return pos_; }
    const Vector& GetRelRot() const { return rot_; } // heading, pitch, bank, radians
    const Vector& GetRelScale() const { return scale_; }
    void SetRelPos(const Vector& v);
    void SetRelRot(const Vector& v);
    void SetRelScale(const Vector& v);
    // The local matrix (in the parent's frame) and the global one.
    const Matrix& GetMl() const { return ml_; }
    void SetMl(const Matrix& m);
    const Matrix& GetMg() const { return mg_; }
    void SetMg(const Matrix& m);
    // The parent's global matrix (identity at the top).
    Matrix GetUpMg() const;

    // ---- Visibility ------------------------------------------------------------------------
    Int32 GetRenderMode() const { return renderMode_; }
    void SetRenderMode(Int32 mode) { renderMode_ = mode; }
    Int32 GetEditorMode() const { return editorMode_; }
    void SetEditorMode(Int32 mode) { editorMode_ = mode; }

protected:
    explicit BaseObject(Int32 type);
    void HierarchyChanged() override { UpdateGlobalMatrices(); }
    GeListHead* GetBranchHead() override { return &tags_; }
    C4DAtom* CloneAtom(COPYFLAGS flags) const override;

private:
    friend struct host::NodeAccess;
    // Recomputes mg of this object and of every object below it.
    void UpdateGlobalMatrices();
    void UpdateLocalMatrix();

    Vector pos_;
    Vector rot_;
    Vector scale_{1, 1, 1};
    Matrix ml_;
    Matrix mg_;
    Int32 renderMode_ = MODE_UNDEF;
    Int32 editorMode_ = MODE_UNDEF;
    GeListHead tags_;
};

// Camera parameters (container ids).
enum : Int32 {
    CAMERA_FOCUS = 500,                    // Float: focal length, mm
    CAMERA_APERTURE = 501,                 // Float: film width, mm
    CAMERA_DRAW_VIEW_CONE = 1007,          // Bool: the viewport draws the ordinary view cone
    CAMERA_STEREO_MODE = 4200,             // Int32: 0 mono, 1 stereo
    CAMERA_STEREO_EYE_SEPARATION = 4201,   // Float: scene units
    CAMERA_STEREO_CONVERGENCE_MODE = 4202, // Int32: 0 parallel eyes, 1 converging
    CAMERA_STEREO_SHOW_EYES = 4203,        // Bool: the viewport draws both eyes
    CAMERA_STEREO_SHOW_PLANE = 4204,       // Bool: the viewport draws the zero-parallax plane
    CAMERA_STEREO_ZERO_PARALLAX = 4205,    // Float: distance of the zero-parallax plane
};

class CameraObject : public BaseObject {
public:
    // A free-standing camera with the host's defaults.
    CameraObject();
    static CameraObject* Alloc() { return static_cast<CameraObject*>(BaseObject::Alloc(Ocamera)); }

    Float GetFocus() const { return GetDataInstance()->GetFloat(CAMERA_FOCUS); }
    void SetFocus(Float focus) { GetDataInstance()->SetFloat(CAMERA_FOCUS, focus); }
    Float GetAperture() const { return GetDataInstance()->GetFloat(CAMERA_APERTURE); }
    void SetAperture(Float aperture) { GetDataInstance()->SetFloat(CAMERA_APERTURE, aperture); }

    // Writes the host's camera defaults into a container.
    static void WriteDefaults(BaseContainer& bc);
};
