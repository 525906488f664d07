// Description identifiers: a parameter's id path (a vector's x is {id, VECTOR_X}) and the flag
// sets that the parameter and description hooks pass back and forth.
#pragma once

#include "ge_types.h"

struct DescLevel {
    Int32 id = 0;
    Int32 dtype = 0;   // the level's data type, 0 when not given
    Int32 creator = 0; // the plug-in that made the level, 0 when not given

    constexpr DescLevel() = default;
    constexpr DescLevel(Int32 i) : id(i) {}
    constexpr DescLevel(Int32 i, Int32 type, Int32 by) : id(i), dtype(type), creator(by) {}
    // Levels match by id: the type and creator only describe them.
    constexpr bool operator==(const DescLevel& o) const { return id == o.id; }
};

// Up to three levels, held by value so a DescID can be copied anywhere without allocation.
class DescID {
public:
    static constexpr Int32 MaxDepth = 3;

    constexpr DescID() = default;
    constexpr DescID(Int32 id) : DescID(DescLevel(id)) {}
    constexpr DescID(const DescLevel& a) : levels_{a, {}, {}}, depth_(1) {}
    constexpr DescID(const DescLevel& a, const DescLevel& b) : levels_{a, b, {}}, depth_(2) {}
    constexpr DescID(const DescLevel& a, const DescLevel& b, const DescLevel& c)
        : levels_{a, b, c}, depth_(3) {}

    constexpr Int32 GetDepth() const { return depth_; }
    // Level pos; a level beyond the depth reads as id 0.
    constexpr const DescLevel& operator[](Int32 pos) const {
        return pos >= 0 && pos < depth_ ? levels_[pos] : none_;
    }
    // Appends a level; false when the id is full.
    constexpr Bool PushId(const DescLevel& level) {
        if (depth_ >= MaxDepth)
            return false;
        levels_[depth_++] = level;
        return true;
    }

    constexpr bool operator==(const DescID& o) const {
        if (depth_ != o.depth_)
            return false;
        for (Int32 i = 0; i < depth_; ++i) {
            if (!(levels_[i] == o.levels_[i]))
                return false;
        }
        return true;
    }

private:
    DescLevel levels_[MaxDepth];
    Int32 depth_ = 0;
    static constexpr DescLevel none_{};
};

// Sub-ids of a vector parameter's components.
inline constexpr Int32 VECTOR_X = 1000;
inline constexpr Int32 VECTOR_Y = 1001;
inline constexpr Int32 VECTOR_Z = 1002;

// Flag sets, each a plain enum with the bit operators, so code can write flags |= X.
#define OVRIN_HOST_FLAG_OPERATORS(E)                                                               \
    constexpr E operator|(E a, E b) {                                                              \
        return E(Int32(a) | Int32(b));                                                             \
    }                                                                                              \
    constexpr E operator&(E a, E b) {                                                              \
        return E(Int32(a) & Int32(b));                                                             \
    }                                                                                              \
    constexpr E operator~(E a) {                                                                   \
        return E(~Int32(a));                                                                       \
    }                                                                                              \
    constexpr E& operator|=(E& a, E b) {                                                           \
        return a = a | b;                                                                          \
    }                                                                                              \
    constexpr E& operator&=(E& a, E b) {                                                           \
        return a = a & b;                                                                          \
    }

enum DESCFLAGS_GET : Int32 {
    DESCFLAGS_GET_NONE = 0,
    DESCFLAGS_GET_PARAM_GET = 2, // the hook filled the value; the host does not read its container
};
OVRIN_HOST_FLAG_OPERATORS(DESCFLAGS_GET)

enum DESCFLAGS_SET : Int32 {
    DESCFLAGS_SET_NONE = 0,
    DESCFLAGS_SET_PARAM_SET = 2,       // the hook stored the value; the host does not store it
    DESCFLAGS_SET_USERINTERACTION = 4, // the change comes from the user, not from code
};
OVRIN_HOST_FLAG_OPERATORS(DESCFLAGS_SET)

enum DESCFLAGS_DESC : Int32 {
    DESCFLAGS_DESC_NONE = 0,
    DESCFLAGS_DESC_LOADED = 2, // the hook loaded the description; the host does not load it
};
OVRIN_HOST_FLAG_OPERATORS(DESCFLAGS_DESC)

enum DESCFLAGS_ENABLE : Int32 {
    DESCFLAGS_ENABLE_NONE = 0,
};
OVRIN_HOST_FLAG_OPERATORS(DESCFLAGS_ENABLE)
