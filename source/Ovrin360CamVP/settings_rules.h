// When the render effect's parameters are shown, unfolded and editable: pure rules over its
// settings, the tagged camera's settings and the render settings' stereoscopic switch.
#pragma once

#include "c4d_basecontainer.h"

#include <vector>

// Whether the parameter id is editable. tag: the tagged camera's tag settings, or null when
// no tagged camera was found. Identifiers without a rule are always editable.
Bool EffectParameterEnabled(Int32 id, const BaseContainer& settings, const BaseContainer* tag);

enum class DescSwitch : Int32 { Hide, Unfold };
struct EffectDescState {
    Int32 id;
    DescSwitch what;
    Bool on;
    bool operator==(const EffectDescState&) const = default;
};

// The hidden and unfolded states of the attribute view: the stereo output's groups, the
// cubemap settings by layout, the preview rows beyond the grid's row count and, with a tagged
// camera (tag not null), the groups unfolded for its projection and the stereo switch.
std::vector<EffectDescState> EffectDescriptionStates(const BaseContainer& settings,
                                                     const BaseContainer* tag, Bool stereoOn,
                                                     Float gridRows);
