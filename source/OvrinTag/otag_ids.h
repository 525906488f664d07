// Parameter identifiers of the camera tag's container that the stereo geometry and the lens
// read. The numbers are stored in scene files and must not change.
#pragma once

enum : int {
    OVRINTAG_PROJECTION = 1006,
    OVRINTAG_DOME_FOV = 1008,
    OVRINTAG_STEREO_EYE_SEPARATION = 1025,
    OVRINTAG_STEREO_CONVERGENCE = 1026,
    OVRINTAG_STEREO_CONVERGENCE_MODE = 1027,
    OVRINTAG_DOME_AXIS = 1028,
    OVRINTAG_STEREO_AXIS = 1029,
    OVRINTAG_SEPARATION_MAP = 1034,
    OVRINTAG_SEPARATION_MAP_SHADER = 1037,
};

// Values of OVRINTAG_PROJECTION.
enum : int {
    OVRINTAG_PROJECTION_PANORAMA = 0,
    OVRINTAG_PROJECTION_DOME = 1,
    OVRINTAG_PROJECTION_CYLINDRICAL = 2,
    OVRINTAG_PROJECTION_CUBEMAP = 3,
};

// Values of OVRINTAG_DOME_AXIS.
enum : int {
    OVRINTAG_DOME_AXIS_FORWARD = 0,
    OVRINTAG_DOME_AXIS_UP = 1,
};
