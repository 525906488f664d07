// The render effect: takes over the host renderer's camera rays and drives the extra passes.
#pragma once

#include "c4d_basecontainer.h"
#include "c4d_baseobject.h"
#include "c4d_videopostdata.h"
#include "image_areas.h"

class BaseShader;

class Ovrin360CamVP : public VideoPostData {
public:
    // ---- Lens ------------------------------------------------------------------------------
    // Per camera ray: fills the ray's world origin and direction from its image position in
    // pixels, or zeroes both when the position has no ray. Leaves the ray alone while the lens
    // is inactive.
    void CreateRay(Ray* ray, Float x, Float y) override;
    // The lens proper: normalised image position (u, v) → camera-space direction, or (0, 0, 0).
    // Leaves the oriented and remapped coordinates in position.
    Vector64 CreateRay(Vector64& position) const;

    // Sets the pass's pixel rectangle and the pixel size derived from it. False when the area
    // is under 2 × 2 pixels: the lens then casts no rays, and the pipeline reports it.
    Bool SetRenderArea(const Area& area);
    // Longitude range centred on the view direction for a horizontal coverage of fov, and the
    // latitude range of a partial panorama (radians, −π/2 at the bottom).
    void SetPanoramaRanges(Float fov, Float latitudeMin, Float latitudeMax);
    static Bool IsLensAreaUsable(const Area& area) { return area.width >= 2 && area.height >= 2; }

    // ---- Lens state: written by the pipeline before each pass, read-only during it ---------
    Int32 isFulldome = 0;
    Int32 isPanorama = 0;
    Int32 isCylindrical = 0;
    Int32 isCubemap = 0;
    Float fieldOfView = 0;    // dome: full aperture; panorama, cylinder: horizontal coverage
    Float longitudeStart = 0; // horizontal range, longitude fractions
    Float longitudeEnd = 1;
    Float latitudeStart = 0; // vertical range, latitude fractions from the bottom
    Float latitudeEnd = 1;
    Bool partialPanorama = false;
    Bool cylinderVertical = false; // image v sweeps the angle, image u the height
    Float cylinderHeight = 0;
    Int32 domeMaskMode = 0; // 2: rays outside the dome circle too
    Area renderArea;
    Vector64 pixelSize;        // (1/width, 1/height, 0) of renderArea, single-precision quotients
    Int32 overscanPixels = 10; // rays up to this far outside the image still get a direction
    Int32 lensActive = 0;
    CameraObject* camera = nullptr;
    BaseContainer* tagData = nullptr;
    ViewCell currentFace;
    ViewCell currentEye;
    Bool stereoActive = false;
    Bool domeAxisUp = false;
    Int32 eyeShiftPixels = 0;
    Float eyeSeparation = 0;
    Int32 stereoAxis = 0;
    Float convergenceDistance = 0;
    BaseShader* separationShader = nullptr;

private:
    // World frame of one ray: the camera's global matrix in mono, the ray's own eye in stereo.
    Matrix64 RayFrame(const Vector64& dir) const;
};
