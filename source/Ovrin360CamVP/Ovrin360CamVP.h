// The render effect: takes over the host renderer's camera rays and drives the extra passes.
#pragma once

#include "c4d_basecontainer.h"
#include "c4d_baselink.h"
#include "c4d_baseobject.h"
#include "c4d_basetime.h"
#include "c4d_filename.h"
#include "c4d_videopostdata.h"
#include "image_areas.h"

#include <mutex>

class BaseBitmap;
class BaseDraw;
class BaseShader;
class BaseTag;

class Ovrin360CamVP : public VideoPostData {
public:
    Ovrin360CamVP();
    ~Ovrin360CamVP() override;
    Ovrin360CamVP(const Ovrin360CamVP&) = delete;
    Ovrin360CamVP& operator=(const Ovrin360CamVP&) = delete;
    static NodeData* Alloc() { return new Ovrin360CamVP(); }

    // ---- Render pipeline ---------------------------------------------------------------------
    Int32 GetRenderInfo(BaseVideoPost* node) override;
    Bool RenderEngineCheck(BaseVideoPost* node, Int32 engine) override;
    void AllocateBuffers(BaseVideoPost* node, Render* render, BaseDocument* doc) override;
    RENDERRESULT Execute(BaseVideoPost* node, VideoPostStruct* vps) override;
    void ExecutePixel(BaseVideoPost* node, PixelPost* pp, Int32 x, Int32 subx, Int32 suby) override;
    void ExecuteLine(BaseVideoPost* node, PixelPost* pp) override;

    // ---- Stereo channels -----------------------------------------------------------------------
    Int32 StereoGetCameraCountEditor(BaseVideoPost* node, BaseDocument* doc, BaseDraw* bd) override;
    Int32 StereoGetCameraCountRenderer(BaseVideoPost* node, BaseDocument* doc,
                                       RenderData* rd) override;
    Bool StereoGetCameraInfo(BaseVideoPost* node, BaseDocument* doc, BaseDraw* bd, RenderData* rd,
                             Int32 index, StereoCameraInfo& info) override;

    // ---- Camera search -------------------------------------------------------------------------
    // Finds the render's camera and its tag: the render view's linked scene camera, else the
    // first camera in the object tree with an enabled tag. Fills camera, tag and tagData and
    // returns the render view (null without a document).
    BaseDraw* FindCamera(BaseDocument* doc);
    // Pre-order search from op and its following siblings; render-mode-off cameras and
    // disabled tags are skipped, their children still searched.
    static BaseObject* FindFirstOvrinTagCamera(BaseObject* op, Int32 depth);

    // Fills gridCells, gridColumns and gridRows from the render effect's layout settings.
    void MakeCubemapGrid(Bool editorView);

    // ---- Settings: attribute view, buttons, layout preview (settings.cpp) ------------------
    // Defaults, face label images and the layout grid.
    Bool Init(GeListNode* node) override;
    // Hides, unfolds and previews by the stereo output, the layout and the tagged camera.
    Bool GetDDescription(GeListNode* node, Description* description,
                         DESCFLAGS_DESC& flags) override;
    Bool GetDEnabling(GeListNode* node, const DescID& id, const GeData& value,
                      DESCFLAGS_ENABLE flags, const BaseContainer* itemdesc) override;
    // The header and preview buttons and the version line are computed, never stored.
    Bool GetDParameter(GeListNode* node, const DescID& id, GeData& value,
                       DESCFLAGS_GET& flags) override;
    Bool SetDParameter(GeListNode* node, const DescID& id, const GeData& value,
                       DESCFLAGS_SET& flags) override;
    // Buttons, reactions to edits, the bitmaps of the header and the preview, and the host's
    // render notification. Always true.
    Bool Message(GeListNode* node, Int32 type, void* data) override;
    // The tag settings found by the last FindCamera while that tag and its camera still
    // exist; null (and camera, tag and tagData cleared) once either is gone.
    BaseContainer* FoundTagData();

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
    BaseObject* camera = nullptr;
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

    // ---- Pipeline state: written by AllocateBuffers and Execute on the render control thread -
    std::mutex syphonLock;    // one line at a time to the frame publisher
    Int32 viewportRender = 0; // the render goes to the editor view
    Int32 overlayEnabled = 0;
    Int32 showFrameNumber = 0;
    Int32 showTimecode = 0;
    Int32 showInfo = 0;
    Int32 showText = 0;
    Int32 logoMode = 0; // 0 built-in, 1 custom image, 2 none
    BaseTime timecodeOffset{0, 1};
    String overlayText;
    Float textSize = 0;
    Int32 syphonEnabled = 0;
    Int32 syphonMode = 0; // 0: every finished line too; otherwise whole frames only
    Filename documentName;
    Float frameRate = 0;
    BaseTime documentMinTime{0, 1};
    BaseTime documentMaxTime{0, 1};
    BaseTime overlayTime{0, 1};
    Bool linkSceneCamera = false;
    Vector renderSize;
    Area frameArea;
    Float domeDiameter = 0;
    Float cornerSize = 0;
    Area logoCorner;
    BaseTag* tag = nullptr;
    ViewCell faces[6];
    ViewCell eyes[2];
    Int32 faceCount = 1;
    Int32 eyeCount = 1;
    Int32 passCount = 0;
    Int32 passIndex = -1;
    Bool stereoAnaglyph = false;
    Bool stereoSideBySide = false;
    Bool stereoInterlaced = false;
    Bool splitWidth = false;
    Bool splitHeight = false;
    Bool swapEyes = false;
    Int32 anaglyphColors = 0;
    Int32 anaglyphMethod = 0;
    Float anaglyphGamma = 0;
    Int32 interlacePattern = 0;
    BaseBitmap* logoBitmap = nullptr;
    BaseBitmap* maskBitmap = nullptr;
    BaseBitmap* faceLabelBitmaps[7] = {};
    ViewCell gridCells[6][6];
    Float gridColumns = 0;
    Float gridRows = 0;

private:
    void OpenSequence(BaseVideoPost* node, VideoPostStruct* vps, BaseDraw* bd, RenderData* rd,
                      const BaseContainer& rdc);
    void CloseSequence(BaseDraw* bd);
    void OpenPass(VideoPostStruct* vps);
    // The render copy of the tag's separation map, made at the sequence start and freed at its
    // end.
    void PrepareSeparationShader(const BaseContainer& vpData, BaseDocument* doc);
    void ReleaseSeparationShader();

    // World frame of one ray: the camera's global matrix in mono, the ray's own eye in stereo.
    Matrix64 RayFrame(const Vector64& dir) const;

    // ---- Settings -----------------------------------------------------------------------------
    void LoadFaceLabels();
    // The camera and tag FindCamera found, as links that notice their deletion.
    BaseLink foundCamera_;
    BaseLink foundTag_;
};
