// The render copy of the tag's separation map.
#include "Ovrin360CamVP.h"

void Ovrin360CamVP::PrepareSeparationShader(const BaseContainer& vpData, BaseDocument* doc) {
    (void)vpData;
    (void)doc;
    separationShader = nullptr;
}

void Ovrin360CamVP::ReleaseSeparationShader() {
    separationShader = nullptr;
}
