// Omni-directional stereo: every ray gets its own eye, beside the camera centre at half the
// interocular distance and turned about a chosen axis by the ray's direction, optionally
// toed in toward the point at the convergence distance along the ray.
// Nothing here allocates or locks; safe on every render thread.
#pragma once

#include "c4d_basecontainer.h"
#include "c4d_baseobject.h"
#include "c4d_stereo.h"
#include "ge_matrix.h"

// True for a dome tag whose dome axis points up (the fulldome setup): the stereo eyes then
// turn about the camera's view axis, the dome's zenith. Null tag: false.
Bool IsFulldomeAxis(const BaseContainer* tag);

// The tag's axis mode of the eye rotation: 1 keeps the eye exactly across the ray's heading,
// 2 and 3 turn it in proportion to the ray's x component (about y or z), anything else keeps
// the eye where the camera info puts it. Null tag: 0.
Int32 GetStereoAxis(const BaseContainer* tag);

// The world frame of the eye that casts the ray with camera-space direction dir.
//   info:        the eye's camera (matrix, name "0", "1" or "2")
//   domeAxisUp:  dir comes from the dome lens turned up by a quarter turn (IsFulldomeAxis)
//   convergence: toe-in distance, 0 for parallel eyes
//   separation:  factor on the eye's offset from the camera centre (the separation map)
// convergencePoint receives the camera-local point the eye is toed in to and toeInAxis the
// camera-local axis of that turn; both are zero when there is no toe-in. A null camera stands
// at the origin.
Matrix64 GetStereoCamMatrix(const BaseObject* camera, const StereoCameraInfo& info, Vector64 dir,
                            Int32 axis, Bool domeAxisUp, Float convergence, Float eyeSeparation,
                            Float separation, Vector64& convergencePoint, Vector64& toeInAxis);
