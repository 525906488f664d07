// The host's plug-in interface in one include.
#pragma once

#include "c4d_basecontainer.h"
#include "c4d_baseobject.h"
#include "c4d_basetime.h"
#include "c4d_console.h"
#include "c4d_gedata.h"
#include "c4d_ray.h"
#include "c4d_stereo.h"
#include "c4d_string.h"
#include "c4d_videopostdata.h"
#include "ge_math.h"
#include "ge_matrix.h"
#include "ge_types.h"
#include "ge_vector.h"
