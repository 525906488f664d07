#include "ovrin_param_defaults.h"

#include "c4d_basecontainer.h"

GeData DefaultValue(const ParamDefault& row) {
    switch (row.kind) {
    case ParamKind::Bool:
        return GeData(row.number != 0);
    case ParamKind::Int32:
        return GeData(Int32(row.number));
    case ParamKind::Float:
        return GeData(row.number);
    case ParamKind::Vector:
        return GeData(row.vector);
    case ParamKind::String:
        return GeData(String(row.text));
    case ParamKind::Filename:
        return GeData(Filename(row.text));
    case ParamKind::Link:
        return GeData(BaseLink());
    case ParamKind::Time:
        return GeData(BaseTime(row.number));
    }
    return GeData();
}

void WriteDefault(BaseContainer& bc, const ParamDefault& row) {
    bc.SetData(row.id, DefaultValue(row));
}
