// When the tag's parameters are shown and editable: pure rules over the tag's settings and
// the state of the render settings they depend on.
#pragma once

#include "c4d_basecontainer.h"

#include <array>

struct TagRuleContext {
    Bool effectOn = false;     // the render effect exists in the active render settings and is on
    Bool stereoOn = false;     // stereoscopic rendering is on in the active render settings
    Bool effectSyphon = false; // the render effect's frame publishing switch
};

// Whether the parameter id is editable. value is the parameter's current value (the derived
// aspects are editable only while positive). Identifiers without a rule of their own, the
// host's included, are editable when the tag is enabled and the render effect is on.
Bool TagParameterEnabled(Int32 id, const GeData& value, const BaseContainer& tag,
                         const TagRuleContext& context);

struct TagHiding {
    Int32 id;
    Bool hidden;
};
// Entries shown only for their projection or switch, and the notice shown only while the
// render effect is missing or off.
std::array<TagHiding, 7> TagHiddenEntries(const BaseContainer& tag, Bool effectOn);
