#include "ovrin_stereo_map.h"

#include "OvrinTag/otag_ids.h"
#include "ovrin_geometry.h"
#include "ovrin_trig.h"

#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>

namespace {

std::mutex slotLock;
// Who holds slotLock. A thread finds its own id here only when it stored it itself, so one
// atomic load answers "do I hold the slot" without the lock.
std::atomic<std::thread::id> slotHolder{};
BaseShader* slot = nullptr; // read and written only by the holder

Bool holdsSlot() {
    return slotHolder.load(std::memory_order_acquire) == std::this_thread::get_id();
}

void releaseSlotShader() {
    if (slot)
        slot->FreeRender();
    slot = nullptr;
}

// The shader the tag links as its separation map, resolved in doc; null for an empty link, a
// deleted node or a node that is not a shader.
BaseShader* linkedSeparationShader(const BaseContainer* tag, BaseDocument* doc) {
    if (!tag)
        return nullptr;
    return static_cast<BaseShader*>(tag->GetLink(OVRINTAG_SEPARATION_MAP_SHADER, doc, Xbase));
}

// Texture position of dir (camera space) on the separation map.
Vector64 mapPosition(const BaseContainer& tag, const Vector64& dir) {
    const Vector64 d = quarterTurnBackX.TransformVector(dir); // back to the geo / dome frame
    if (tag.GetInt32(OVRINTAG_PROJECTION) == OVRINTAG_PROJECTION_DOME &&
        tag.GetInt32(OVRINTAG_DOME_AXIS) == OVRINTAG_DOME_AXIS_UP) {
        // Dome-master position, v counted upward from the bottom edge.
        const Float fov = tag.GetFloat(OVRINTAG_DOME_FOV);
        const Float theta = std::atan2(std::sqrt(d.x * d.x + d.y * d.y), d.z);
        const Float phi = std::atan2(d.y, d.x);
        const Float r = theta / (fov * 0.5);
        Float sinPhi, cosPhi;
        ovrin::sinCos(phi, sinPhi, cosPhi);
        return {(r * cosPhi + 1.0) * 0.5, (r * sinPhi + 1.0) * 0.5, 0.5};
    }
    // Equirectangular position, a quarter turn ahead of the panorama lens: u from the azimuth
    // about the zenith, v = θ/π from the zenith down (both quotients as products).
    constexpr Float inv2Pi = 1.0 / PI2, invPi = 1.0 / PI;
    const Float a = std::atan2(d.x, d.y) * inv2Pi - 0.25;
    Float u = 1.0 - a;
    if (1.0 < u)
        u -= 1.0;
    const Float theta = d.z >= 1.0 ? 0.0 : (d.z <= -1.0 ? PI : std::acos(d.z));
    return {u, 1.0 - (1.0 - theta * invPi), 0.0};
}

} // namespace

void InitShader(const BaseContainer* tag, BaseDocument* doc) {
    if (holdsSlot()) {
        releaseSlotShader();
    } else {
        slotLock.lock();
        slotHolder.store(std::this_thread::get_id(), std::memory_order_release);
    }
    BaseShader* shader = linkedSeparationShader(tag, doc);
    if (shader && shader->InitRender(InitRenderStruct(doc)) != INITRENDERRESULT::OK)
        shader = nullptr; // not prepared, so nothing to release; the document keeps it
    slot = shader;
}

void FreeShader() {
    if (!holdsSlot())
        return;
    releaseSlotShader();
    slotHolder.store(std::thread::id(), std::memory_order_release);
    slotLock.unlock();
}

BaseShader* GetSeparationShader() {
    return holdsSlot() ? slot : nullptr;
}

Float SampleSeparationMap(const BaseContainer* tag, Vector64 dir, BaseShader* shader) {
    if (!tag || !tag->GetBool(OVRINTAG_SEPARATION_MAP))
        return 1.0;
    if (!shader)
        shader = GetSeparationShader();
    if (!shader)
        return 1.0;
    ChannelData cd;
    cd.p = mapPosition(*tag, dir);
    cd.n = Vector64(0, 1, 0);
    cd.d = Vector64(1, 1, 1);
    cd.t = 0.0;
    cd.texflag = TEX_TILE;
    cd.vd = nullptr;
    cd.off = 0.0;
    cd.scale = 0.0;
    return shader->Sample(&cd).x;
}
