// Custom data types: values of kinds the basic GeData alternatives do not cover, each with its
// own type id. A GeData holds its own copy; GetCustomDataType hands out that copy for editing.
#pragma once

#include "c4d_descid.h"
#include "ge_types.h"

#include <memory>

class BaseList2D;
class GeData;

inline constexpr Int32 CUSTOMDATATYPE_BITMAPBUTTON = 1001053;
inline constexpr Int32 CUSTOMDATATYPE_PRIORITY = 1009369;

class CustomDataType {
public:
    virtual ~CustomDataType() = default;
    virtual Int32 GetCustomDataTypeId() const = 0;
    virtual std::unique_ptr<CustomDataType> Clone() const = 0;
    virtual bool IsEqual(const CustomDataType& other) const = 0;
};

// The value of a bitmap button: which node and parameter the button's image belongs to. The host
// asks the node for the image itself with MSG_DESCRIPTION_GETBITMAP.
struct BitmapButtonStruct final : CustomDataType {
    BitmapButtonStruct() = default;
    BitmapButtonStruct(BaseList2D* node, const DescID& descId, Int32 dirtyCount)
        : op(node), id(descId), dirty(dirtyCount) {}

    BaseList2D* op = nullptr;
    DescID id;
    Int32 dirty = 0; // a change makes the host ask for the image again

    Int32 GetCustomDataTypeId() const override { return CUSTOMDATATYPE_BITMAPBUTTON; }
    std::unique_ptr<CustomDataType> Clone() const override {
        return std::make_unique<BitmapButtonStruct>(*this);
    }
    bool IsEqual(const CustomDataType& other) const override;
};

// Value ids of PriorityData.
enum : Int32 {
    PRIORITYVALUE_MODE = 0,            // Int32: the evaluation stage
    PRIORITYVALUE_PRIORITY = 1,        // Int32: the order within the stage
    PRIORITYVALUE_CAMERADEPENDENT = 2, // Bool: evaluate again when the view's camera changes
};

// When an expression (a tag) is evaluated.
class PriorityData final : public CustomDataType {
public:
    // The value of id as a GeData; nil for an unknown id.
    GeData GetPriorityValue(Int32 id) const;
    // False for an unknown id.
    Bool SetPriorityValue(Int32 id, const GeData& value);

    Int32 GetCustomDataTypeId() const override { return CUSTOMDATATYPE_PRIORITY; }
    std::unique_ptr<CustomDataType> Clone() const override {
        return std::make_unique<PriorityData>(*this);
    }
    bool IsEqual(const CustomDataType& other) const override;

private:
    Int32 mode_ = 0;
    Int32 priority_ = 0;
    Bool cameraDependent_ = false;
};
