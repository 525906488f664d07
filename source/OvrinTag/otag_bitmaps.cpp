// The tag's icons and side images, from the plug-in's resource folder.
#include "OvrinTag.h"

#include "c4d_general.h"
#include "ovrin/ovrin_console.h"

namespace {

void LoadTagBitmap(BaseBitmap* bmp, const String& name) {
    const Filename file = GeGetPluginResourcePath() + Filename(name);
    const char* text = file.GetString().GetCString();
    if (!file.Content()) {
        OvrinPrintf(">>> ERROR bmp not exist [%s]", text ? text : "?");
        return;
    }
    if (bmp->Init(file, -1) != IMAGERESULT_OK)
        OvrinPrintf(">>> ERROR loadign bmp [%s]", text ? text : "?");
}

} // namespace

void OvrinTag::LoadBitmaps() {
    const String base("ovrintag");
    const String tif(".tif");
    LoadTagBitmap(iconOff, base + "_off" + tif);
    LoadTagBitmap(iconOn, base + tif);
    const char* sides[6] = {"F", "B", "L", "R", "U", "D"};
    for (Int32 i = 0; i < 6; ++i)
        LoadTagBitmap(sideBitmaps[i], String("side_") + sides[i] + ".png");
}
