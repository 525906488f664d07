#include "c4d_shader.h"

#include "c4d_basedocument.h"

#include "c4d_shader_kinds.h"
#include "shaders/bitmap_shader.h"
#include "shaders/color_shader.h"
#include "shaders/gradient_shader.h"

void InitRenderStruct::Init(BaseDocument* d) {
    doc = d;
    time = d ? d->GetTime() : BaseTime();
    docpath = d ? d->GetDocumentPath() : Filename();
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

C4DAtom* BaseShader::CloneAtom(COPYFLAGS flags) const {
    (void)flags;
    BaseShader* copy = Alloc(GetType());
    if (copy)
        CopyBaseTo(copy);
    return copy;
}
