// Plug-in identifiers of every registered object and the version constants. Documents store
// tags and render effects by these numbers, and menus and scripts call commands by them.
#pragma once

#include "ge_types.h"

inline constexpr Int32 ID_OVRIN360CAMVP = 1033675;        // render effect
inline constexpr Int32 ID_OVRINTAG = 1035138;             // camera tag
inline constexpr Int32 ID_OVRINCREATE_FULLDOME = 1036701; // creation commands
inline constexpr Int32 ID_OVRINCREATE_FISHEYE = 1035136;
inline constexpr Int32 ID_OVRINCREATE_PANORAMA = 1035137;
inline constexpr Int32 ID_OVRINCREATE_CYLINDRICAL = 1036297;
inline constexpr Int32 ID_OVRINCREATE_CUBEMAP = 1036110;
inline constexpr Int32 ID_OVRINCREATE_LITTLEPLANET = 1036687;
inline constexpr Int32 ID_OVRINXYPAD = 1036905;  // XY pad custom GUI and its library
inline constexpr Int32 ID_OVRINMANUAL = 1041519; // help commands
inline constexpr Int32 ID_OVRINEXAMPLES = 1041520;

inline constexpr const char* OVRIN_VERSION = "2.1";
inline constexpr const char* OVRIN_BUILD = "003";
// The product web site, opened from the render effect's header and web-site button.
inline constexpr const char* OVRIN_WEBSITE = "https://ovrin360cam.example/";

// String table entries: the display names (and help texts) of the registered objects.
inline constexpr Int32 IDS_OVRIN360CAM = 10000;
inline constexpr Int32 IDS_OVRINTAG = 10001;
inline constexpr Int32 IDS_OVRINCREATE_FULLDOME = 10002;
inline constexpr Int32 IDS_OVRINCREATE_FISHEYE = 10003;
inline constexpr Int32 IDS_OVRINCREATE_LITTLEPLANET = 10004;
inline constexpr Int32 IDS_OVRINCREATE_PANORAMA = 10005;
inline constexpr Int32 IDS_OVRINCREATE_CUBEMAP = 10006;
inline constexpr Int32 IDS_OVRINCREATE_CYLINDRICAL = 10007;
inline constexpr Int32 IDS_OVRINMANUAL = 10014;
inline constexpr Int32 IDS_OVRINEXAMPLES = 10015;
