#include "document_render.h"

#include "c4d_basebitmap.h"
#include "c4d_basedocument.h"
#include "c4d_basedraw.h"
#include "c4d_baseobject.h"
#include "c4d_console.h"
#include "c4d_renderdata.h"
#include "c4d_videopostdata.h"
#include "document_scene.h"
#include "frame_sampler.h"
#include "ge_math.h"
#include "pinhole_camera.h"
#include "render_state.h"

#include <atomic>
#include <cstring>
#include <limits>
#include <memory>

namespace host {

namespace {

// The largest image the renderer takes on: 2^28 pixels (4 GiB of float RGBA per image).
constexpr double maxPixels = 268435456.0;

struct Effect {
    BaseVideoPost* node;
    VideoPostData* data;
    Int32 info = 0;
};

BaseObject* firstCamera(BaseObject* op) {
    for (; op; op = op->GetNext()) {
        if (op->GetType() == Ocamera)
            return op;
        if (BaseObject* hit = firstCamera(op->GetDown()))
            return hit;
    }
    return nullptr;
}

void copyToBuffer(const ImagePixels& image, VPBuffer& buffer) {
    for (int y = 0; y < image.height; ++y)
        buffer.SetLine(0, y, image.width, image.Pixel(0, y), 32, false);
}

void copyFromBuffer(const VPBuffer& buffer, ImagePixels& image) {
    image.width = buffer.GetBw();
    image.height = buffer.GetBh();
    image.rgba.assign(size_t(image.width) * size_t(image.height) * 4, 0.0f);
    for (int y = 0; y < image.height; ++y)
        buffer.GetLine(0, y, image.width, &image.rgba[size_t(y) * size_t(image.width) * 4], 32,
                       false);
}

void bufferToBitmap(const VPBuffer& buffer, BaseBitmap& bmp) {
    bmp.Init(buffer.GetBw(), buffer.GetBh(), 32);
    for (int y = 0; y < buffer.GetBh(); ++y)
        buffer.GetLine(0, y, buffer.GetBw(), bmp.GetRGBA(0, y), 32, false);
}

void bitmapToBuffer(const BaseBitmap& bmp, VPBuffer& buffer) {
    for (int y = 0; y < bmp.GetBh() && y < buffer.GetBh(); ++y)
        buffer.SetLine(0, y, std::min(bmp.GetBw(), buffer.GetBw()), bmp.GetRGBA(0, y), 32, false);
}

class FrameDriver {
public:
    FrameDriver(BaseDocument* doc, const RenderJob& job) : doc_(doc), job_(job) {}

    bool Run(RenderOutcome& outcome, std::string& error) {
        if (!Prepare(error))
            return false;
        if (!DocumentToRenderScene(*doc_, scene_, error) || !tracer_.Build(scene_, error))
            return false;
        RenderThreads threads(job_.threads);
        Call(VIDEOPOSTCALL_FRAMESEQUENCE, true, 0);
        bool ok = true;
        const int frames = job_.lastFrame - job_.firstFrame + 1;
        for (int i = 0; i < frames && ok; ++i)
            ok = RenderFrame(threads, job_.firstFrame + i, i, frames, outcome, error);
        Call(VIDEOPOSTCALL_FRAMESEQUENCE, false, job_.lastFrame);
        outcome.passes = passes_;
        return ok;
    }

    bool Rays(const std::vector<std::pair<double, double>>& positions, int onlyPass,
              std::vector<CastRay>& rays, std::string& error) {
        if (!Prepare(error))
            return false;
        const int frame = job_.firstFrame;
        Call(VIDEOPOSTCALL_FRAMESEQUENCE, true, frame);
        Call(VIDEOPOSTCALL_FRAME, true, frame);
        for (int pass = 0; pass < passes_; ++pass) {
            VPBuffer passBuffer(width_, height_, 4);
            render_.SetBuffer(&passBuffer);
            Call(VIDEOPOSTCALL_RENDER, true, frame, pass);
            for (const auto& [x, y] : positions) {
                if (onlyPass >= 0 && pass != onlyPass)
                    continue;
                Ray ray;
                CameraRay(ray, x, y);
                rays.push_back({pass, x, y, ray.p, ray.v});
            }
            Call(VIDEOPOSTCALL_RENDER, false, frame, pass);
        }
        render_.SetBuffer(nullptr);
        Call(VIDEOPOSTCALL_FRAME, false, frame);
        Call(VIDEOPOSTCALL_FRAMESEQUENCE, false, frame);
        return true;
    }

private:
    void CameraRay(Ray& ray, double x, double y) const {
        if (lens_) {
            lens_->data->CreateRay(&ray, x, y);
            return;
        }
        PinholeRay(camera_->GetMg(), camera_->GetDataInstance()->GetFloat(CAMERA_FOCUS, 36.0),
                   width_, height_, x, y, ray);
    }

    // The render's set-up: render effects, their start-of-render check, size, passes, camera.
    bool Prepare(std::string& error) {
        RenderData* rd = doc_->GetActiveRenderData();
        if (!rd) {
            error = "the scene has no render settings";
            return false;
        }
        render_.SetRenderData(*rd->GetDataInstance());
        for (BaseVideoPost* vp = rd->GetFirstVideoPost(); vp; vp = vp->GetNext()) {
            VideoPostData* data = vp->GetVideoPostData();
            if (data && !vp->GetBit(BIT_VPDISABLED) && data->RenderEngineCheck(vp, 0))
                effects_.push_back({vp, data});
        }

        RenderState::Scope running(CHECKISRUNNING_EXTERNALRENDERING);
        for (const Effect& e : effects_)
            e.data->AllocateBuffers(e.node, &render_, doc_);

        const BaseContainer settings = render_.GetRenderData();
        if (!SizeFrom(settings, error))
            return false;
        for (Effect& e : effects_) {
            e.info = e.data->GetRenderInfo(e.node);
            if (!lens_ && (e.info & VIDEOPOSTINFO_CUSTOMLENS))
                lens_ = &e;
        }
        passes_ = 1;
        if (lens_ && settings.GetBool(RENDERDATA_STEREO)) {
            const Int32 n = lens_->data->StereoGetCameraCountRenderer(lens_->node, doc_, rd);
            passes_ = n > 0 ? n : 1;
        }
        if (!lens_ && !FindPinholeCamera(error))
            return false;
        alpha_ = settings.GetBool(RENDERDATA_ALPHACHANNEL);
        fps_ = settings.GetFloat(RENDERDATA_FRAMERATE, doc_->GetFps());
        return true;
    }

    bool SizeFrom(const BaseContainer& settings, std::string& error) {
        const Float w = settings.GetFloat(RENDERDATA_WIDTH),
                    h = settings.GetFloat(RENDERDATA_HEIGHT);
        width_ = SAFEINT32(w);
        height_ = SAFEINT32(h);
        // The lenses need two pixels each way to place the first and last column.
        if (!(w >= 2 && h >= 2)) {
            error = "the output size " + std::to_string(width_) + " x " + std::to_string(height_) +
                    " is too small: the render needs at least 2 x 2 pixels";
            GePrint(String(error));
            return false;
        }
        if (w * h > maxPixels || w > std::numeric_limits<int>::max() / 8 ||
            h > std::numeric_limits<int>::max() / 8) {
            error = "the output size " + std::to_string(width_) + " x " + std::to_string(height_) +
                    " is too large to render";
            GePrint(String(error));
            return false;
        }
        return true;
    }

    bool FindPinholeCamera(std::string& error) {
        BaseDraw* bd = doc_->GetRenderBaseDraw();
        camera_ = bd ? bd->GetSceneCamera(doc_) : nullptr;
        if (!camera_)
            camera_ = firstCamera(doc_->GetFirstObject());
        if (!camera_) {
            error = "the scene has no camera";
            return false;
        }
        return true;
    }

    void Call(VIDEOPOSTCALL point, bool open, int frame, int pass = 0) {
        VideoPostStruct vps;
        vps.doc = doc_;
        vps.render = &render_;
        vps.vp = point;
        vps.open = open;
        vps.frame = frame;
        vps.pass = pass;
        vps.time = BaseTime(frame, fps_ > 0 ? fps_ : 1.0);
        for (const Effect& e : effects_)
            e.data->Execute(e.node, &vps);
    }

    bool RenderFrame(RenderThreads& threads, int frame, int index, int frames,
                     RenderOutcome& outcome, std::string& error) {
        doc_->SetTime(BaseTime(frame, fps_ > 0 ? fps_ : 1.0));
        Call(VIDEOPOSTCALL_FRAME, true, frame);
        std::vector<std::unique_ptr<BaseBitmap>> passImages;
        VPBuffer frameBuffer(width_, height_, 4);
        for (int pass = 0; pass < passes_; ++pass) {
            VPBuffer passBuffer(width_, height_, 4);
            render_.SetBuffer(&passBuffer);
            Call(VIDEOPOSTCALL_RENDER, true, frame, pass);
            ImagePixels image;
            image.width = width_;
            image.height = height_;
            SamplePass(threads, image, index * passes_ + pass, frames * passes_);
            copyToBuffer(image, passBuffer);
            Call(VIDEOPOSTCALL_RENDER, false, frame, pass);
            if (passes_ == 1) {
                frameBuffer = passBuffer;
            } else {
                passImages.push_back(std::make_unique<BaseBitmap>());
                bufferToBitmap(passBuffer, *passImages.back());
            }
        }
        if (passes_ > 1)
            Merge(passImages, frameBuffer);
        render_.SetBuffer(&frameBuffer);
        Call(VIDEOPOSTCALL_FRAME, false, frame);
        render_.SetBuffer(nullptr);

        copyFromBuffer(frameBuffer, outcome.lastFrame);
        if (!alpha_) {
            for (size_t i = 3; i < outcome.lastFrame.rgba.size(); i += 4)
                outcome.lastFrame.rgba[i] = 1.0f;
        }
        if (job_.output.empty())
            return true;
        const std::string path = ExpandFrameNumber(job_.output, frame);
        if (!WriteImageFile(path, outcome.lastFrame, job_.write, error))
            return false;
        outcome.files.push_back(path);
        return true;
    }

    // The lens effect merges the passes; when it declines, the first pass is the frame.
    void Merge(const std::vector<std::unique_ptr<BaseBitmap>>& passImages, VPBuffer& frame) {
        BaseBitmap merged;
        merged.Init(width_, height_, 32);
        std::vector<const BaseBitmap*> sources;
        for (const auto& p : passImages)
            sources.push_back(p.get());
        const bool ok = lens_ && lens_->data->StereoMergeImages(
                                     lens_->node, &merged, sources.data(), Int32(sources.size()),
                                     BaseContainer(), COLORSPACETRANSFORMATION_NONE);
        if (!ok)
            GePrint("The render effect did not merge the " + std::to_string(passes_) +
                    " passes; the frame shows the first pass");
        bitmapToBuffer(ok ? merged : *passImages.front(), frame);
    }

    void SamplePass(RenderThreads& threads, ImagePixels& image, int passNumber, int passTotal) {
        std::vector<const Effect*> pixelHooks, lineHooks;
        for (const Effect& e : effects_) {
            if (e.info & VIDEOPOSTINFO_EXECUTEPIXEL)
                pixelHooks.push_back(&e);
            if (e.info & VIDEOPOSTINFO_EXECUTELINE)
                lineHooks.push_back(&e);
        }
        std::atomic<int> rowsDone{0};
        const double rows = image.height;
        auto reportRow = [&] {
            const int done = ++rowsDone;
            if (job_.progress && done % 16 == 0)
                job_.progress((passNumber + done / rows) / passTotal);
        };
        auto pixelHook = [&](int x, int y, Rgba& pixel) {
            if (pixelHooks.empty())
                return;
            PixelPost pp;
            pp.col = &pixel.r;
            pp.comp = 4;
            pp.xmin = pp.xmax = x;
            pp.line = y;
            for (const Effect* e : pixelHooks)
                e->data->ExecutePixel(e->node, &pp, x, 0, 0);
        };
        auto lineHook = [&](int y) {
            if (!lineHooks.empty()) {
                PixelPost pp;
                pp.col = &image.rgba[size_t(y) * size_t(image.width) * 4];
                pp.comp = 4;
                pp.xmin = 0;
                pp.xmax = image.width - 1;
                pp.line = y;
                pp.validLine = true;
                for (const Effect* e : lineHooks)
                    e->data->ExecuteLine(e->node, &pp);
            }
            reportRow();
        };
        if (lens_) {
            VideoPostData* lens = lens_->data;
            SampleFrame(
                threads, tracer_, job_.samplesPerAxis, image,
                [lens](Ray& ray, double x, double y) { lens->CreateRay(&ray, x, y); }, pixelHook,
                lineHook);
        } else {
            const Matrix64 mg = camera_->GetMg();
            const double focal = camera_->GetDataInstance()->GetFloat(CAMERA_FOCUS, 36.0);
            const int w = width_, h = height_;
            SampleFrame(
                threads, tracer_, job_.samplesPerAxis, image,
                [&](Ray& ray, double x, double y) { PinholeRay(mg, focal, w, h, x, y, ray); },
                pixelHook, lineHook);
        }
        if (job_.progress)
            job_.progress(double(passNumber + 1) / double(passTotal));
    }

    BaseDocument* doc_;
    const RenderJob& job_;
    Render render_;
    std::vector<Effect> effects_;
    Effect* lens_ = nullptr;
    BaseObject* camera_ = nullptr;
    RenderScene scene_;
    Tracer tracer_;
    Int32 width_ = 0, height_ = 0;
    int passes_ = 1;
    bool alpha_ = true;
    double fps_ = 30;
};

} // namespace

bool RenderDocument(BaseDocument* doc, const RenderJob& job, RenderOutcome& outcome,
                    std::string& error) {
    if (!doc) {
        error = "no document to render";
        return false;
    }
    if (job.lastFrame < job.firstFrame) {
        error = "the frame range " + std::to_string(job.firstFrame) + "-" +
                std::to_string(job.lastFrame) + " is empty";
        return false;
    }
    outcome = RenderOutcome();
    FrameDriver driver(doc, job);
    return driver.Run(outcome, error);
}

bool CastDocumentRays(BaseDocument* doc, const std::vector<std::pair<double, double>>& positions,
                      int onlyPass, std::vector<CastRay>& rays, std::string& error) {
    if (!doc) {
        error = "no document";
        return false;
    }
    const RenderJob job;
    FrameDriver driver(doc, job);
    return driver.Rays(positions, onlyPass, rays, error);
}

} // namespace host
