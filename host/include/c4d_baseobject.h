// Scene objects as the lens sees them: something with a global matrix.
#pragma once

#include "ge_matrix.h"

class BaseObject {
public:
    virtual ~BaseObject() = default;

    // Global matrix: the object's frame in world space (+Z its view direction for cameras).
    const Matrix& GetMg() const { return mg_; }
    void SetMg(const Matrix& m) { mg_ = m; }

private:
    Matrix mg_;
};

class CameraObject : public BaseObject {};
