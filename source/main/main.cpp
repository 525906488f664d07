// Plug-in start, messages and end, and the registration of every plug-in object.
#include "c4d_plugin.h"

#include "Ovrin360CamVP.h"
#include "OvrinTag/OvrinTag.h"
#include "c4d_basebitmap.h"
#include "c4d_general.h"
#include "c4d_resource.h"
#include "c4d_tagdata.h"
#include "ovrin/ovrin_console.h"
#include "ovrin/ovrin_plugin_ids.h"

#include <memory>

namespace {

// An icon from the plug-in's resource folder; the registration takes its own copy.
std::unique_ptr<BaseBitmap> loadIcon(const char* file) {
    auto icon = std::make_unique<BaseBitmap>();
    if (icon->Init(GeGetPluginResourcePath() + Filename(file)) != IMAGERESULT_OK)
        icon->FlushAll();
    return icon;
}

constexpr Int32 videoPostInfo = 32;
constexpr Int32 tagInfo = 9; // visible + expression

} // namespace

Bool RegisterOvrin360Cam() {
    const String name = GeLoadString(IDS_OVRIN360CAM);
    const Bool result = RegisterVideoPostPlugin(ID_OVRIN360CAMVP, name, videoPostInfo,
                                                Ovrin360CamVP::Alloc, "Ovrin360Cam", 0, 0);
    OvrinPrintf("Version %s (%s) %s", OVRIN_VERSION, OVRIN_BUILD,
                result ? "is ready!" : "failed to load!");
    return result;
}

Bool RegisterOvrinTag() {
    const String name = GeLoadString(IDS_OVRINTAG);
    const auto icon = loadIcon("ovrintag.tif");
    return RegisterTagPlugin(ID_OVRINTAG, name, tagInfo, OvrinTag::Alloc, "OvrinTag", icon.get(),
                             0);
}

Bool PluginStart() {
    // In registration order; the first failure stops the rest.
    for (Bool (*registration)() : {RegisterOvrin360Cam, RegisterOvrinTag}) {
        if (!registration())
            return false;
    }
    return true;
}

void PluginEnd() {}

Bool PluginMessage(Int32 id, void* data) {
    switch (id) {
    case C4DPL_INIT_SYS:
        return g_resource.Init();
    case C4DPL_INIT_PRIORITY:
        if (!data)
            return false;
        *static_cast<Int32*>(data) = -1000000; // load after the host's own plug-ins
        return true;
    default:
        return false;
    }
}
