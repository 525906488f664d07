// The separation map: a shader linked in the camera tag that scales the stereo eye offset per
// ray direction (its red component), and the shader slot through which the render pipeline
// and the viewport prepare the tag's shader.
//
// The slot is guarded by one lock that InitShader takes and FreeShader gives back, so the
// pipeline's init-clone-free and the viewport's init-sample-free never overlap: every
// InitShader must be followed by FreeShader on the same thread. Only the thread holding the
// slot sees it; for every other thread (the render threads) the slot reads as empty.
#pragma once

#include "c4d_basecontainer.h"
#include "c4d_shader.h"
#include "ge_vector.h"

class BaseDocument;

// Takes the slot (waiting while another thread holds it) and fills it with the tag's linked
// separation-map shader, prepared for rendering doc; the slot stays empty when the link is
// empty, is not a shader, or its preparation fails. Called again by the holder, it releases
// the previous shader first and keeps the slot.
void InitShader(const BaseContainer* tag, BaseDocument* doc);

// Releases the slot's render data, empties the slot and gives it up. Does nothing on a
// thread that does not hold the slot. The shader itself belongs to the document.
void FreeShader();

// The prepared shader in the slot when the calling thread holds it, else null.
BaseShader* GetSeparationShader();

// Separation factor for the camera-space ray direction dir: 1.0 when the tag's map switch is
// off or there is no shader, else the red component of shader (or, when null, of the slot's
// shader) at dir's position on the map. Lock-free and allocation-free.
Float SampleSeparationMap(const BaseContainer* tag, Vector64 dir, BaseShader* shader);
