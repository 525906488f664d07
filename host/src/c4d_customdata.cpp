#include "c4d_customdata.h"

#include "c4d_gedata.h"

bool BitmapButtonStruct::IsEqual(const CustomDataType& other) const {
    const auto* o = dynamic_cast<const BitmapButtonStruct*>(&other);
    return o && o->op == op && o->id == id && o->dirty == dirty;
}

GeData PriorityData::GetPriorityValue(Int32 id) const {
    switch (id) {
    case PRIORITYVALUE_MODE:
        return GeData(mode_);
    case PRIORITYVALUE_PRIORITY:
        return GeData(priority_);
    case PRIORITYVALUE_CAMERADEPENDENT:
        return GeData(cameraDependent_);
    default:
        return GeData();
    }
}

Bool PriorityData::SetPriorityValue(Int32 id, const GeData& value) {
    switch (id) {
    case PRIORITYVALUE_MODE:
        mode_ = value.GetInt32();
        return true;
    case PRIORITYVALUE_PRIORITY:
        priority_ = value.GetInt32();
        return true;
    case PRIORITYVALUE_CAMERADEPENDENT:
        cameraDependent_ = value.GetBool();
        return true;
    default:
        return false;
    }
}

bool PriorityData::IsEqual(const CustomDataType& other) const {
    const auto* o = dynamic_cast<const PriorityData*>(&other);
    return o && o->mode_ == mode_ && o->priority_ == priority_ &&
           o->cameraDependent_ == cameraDependent_;
}
