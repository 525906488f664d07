#include "c4d_shader.h"

#include "c4d_shader_kinds.h"
#include "shaders/bitmap_shader.h"
#include "shaders/color_shader.h"
#include "shaders/gradient_shader.h"

void InitRenderStruct::Init(BaseDocument* d) {
    doc = d;
    time = BaseTime();
    documentPath = String();
}

BaseShader* BaseShader::Alloc(Int32 type) {
    switch (type) {
    case Xbitmap:
        return new host::BitmapShader();
    case Xcolor:
        return new host::ColorShader();
    case Xgradient:
        return new host::GradientShader();
    default:
        return nullptr;
    }
}

void BaseShader::Free(BaseShader*& shader) {
    delete shader;
    shader = nullptr;
}

BaseShader* BaseShader::GetClone() const {
    BaseShader* clone = Alloc(type_);
    if (clone)
        clone->data_ = data_;
    return clone;
}
