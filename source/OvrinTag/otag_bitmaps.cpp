// The tag's icons and side images, from the plug-in's resource folder.
#include "OvrinTag.h"

void OvrinTag::LoadBitmaps() {}
