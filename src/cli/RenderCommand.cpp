#include "cli/RenderCommand.h"

#include "cli/BundledTexture.h"
#include "cli/SurfaceImage.h"
#include "model/CourseAnalysis.h"
#include "model/CourseData.h"
#include "render/CameraControl.h"
#include "render/PerspecCamera.h"
#include "render/PerspecTextureEngine.h"
#include "render/PictureBank.h"
#include "views/CourseOverlay.h"
#include "views/DispControl.h"
#include "views/ExpandDisp.h"
#include "views/ParallelDisp.h"
#include "views/PerspecDisp.h"
#include "views/SpPointDisp.h"

#include <cstdio>

namespace {

bool EndsWith(const std::string& text, const char* suffix) {
    const std::string tail(suffix);
    if (text.size() < tail.size()) {
        return false;
    }
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = text[text.size() - tail.size() + i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != tail[i]) {
            return false;
        }
    }
    return true;
}

int StateOf(RenderOptions::View view) {
    switch (view) {
    case RenderOptions::View::Top:
    case RenderOptions::View::ExpandTop:
        return CameraControl::Top;
    case RenderOptions::View::Side:
    case RenderOptions::View::ExpandSide:
        return CameraControl::Side;
    default:
        return CameraControl::Front;
    }
}

void DrawOverlays(const RenderOptions& options, CameraControl& camera) {
    if (options.warnings) {
        const CourseAnalysis::Analysis analysis = CourseAnalysis::Analyse();
        if (options.view == RenderOptions::View::Top) {
            CourseOverlay::DrawWarnings(camera, analysis.warnings);
        } else {
            CourseOverlay::DrawDevelopedFolds(camera, analysis.warnings);
        }
    }
    if (options.comb) {
        CourseOverlay::DrawComb(camera);
    }
}

void Draw(const RenderOptions& options, CameraControl& camera) {
    switch (options.view) {
    case RenderOptions::View::Top:
    case RenderOptions::View::Side:
    case RenderOptions::View::Front:
        ParallelDisp::Draw(camera, options.showCamera ? 1 : 0);
        break;
    case RenderOptions::View::ExpandTop:
    case RenderOptions::View::ExpandSide:
        ExpandDisp::Draw(camera);
        break;
    case RenderOptions::View::SplinePoint:
        // A dial window starts with the roll point gripped.
        SpPointDisp::Draw(camera,
                          options.gripHandle ? SpPointDisp::GripHandle : SpPointDisp::GripRoll);
        break;
    case RenderOptions::View::Perspective: // drawn by RenderPerspective
        break;
    }
}

int WriteImage(const platform::DrawContext& context, const std::string& out, std::string& failure) {
    const platform::Surface& surface = *context.GetSurface();
    return EndsWith(out, ".png") ? SurfaceImage::WritePng(surface, out, failure)
                                 : SurfaceImage::WriteBmp16(surface, out, failure);
}

// The texture as the designer reads it: a 16-bit picture bank holding just the texture. One
// that cannot be used leaves the road plain grey, as in the designer.
void LoadTexture(const std::string& file) {
    PictureBank::Initialize(16);
    const int id = PerspecDisp::RegisterTexture(file.c_str());
    PictureBank::Decide();
    if (!PictureBank::HasPow2Data(id)) {
        (void)std::fprintf(stderr,
                           "velmora-cli: %s: not a usable texture; the road is drawn plain grey\n",
                           file.c_str());
    }
}

// The perspective window's camera (its lens, a surface of the options' size) at the
// course's camera position or the one asked for.
int RenderPerspective(const RenderOptions& options, const std::string& out, std::string& failure) {
    PerspecCamera camera;
    camera.Reset();
    camera.SetLens(2.0F, 2.0F, 4.0F, 4.0F, 500.0F);
    camera.SetScreen(options.width, options.height);
    DispControl::CreateDrawObjects();
    PerspecTextureEngine::Initialize();
    if (options.textured) {
        LoadTexture(options.texture.empty() ? BundledTexture() : options.texture);
    }
    const int mode = options.textured ? PerspecDisp::Textured : PerspecDisp::Wireframe;
    if (options.camera) {
        PerspecDisp::Render(camera, mode, options.camera->segment, options.camera->t);
    } else {
        PerspecDisp::Render(camera, mode);
    }
    if (options.textured) {
        PerspecDisp::ReleaseTexture();
        PictureBank::Release();
    }
    PerspecTextureEngine::Release();
    DispControl::DeleteDrawObjects();
    return WriteImage(*camera.GetSurface(), out, failure);
}

} // namespace

bool IsRenderTarget(const std::string& out) {
    return EndsWith(out, ".bmp") || EndsWith(out, ".png");
}

int RenderView(const RenderOptions& options, const std::string& out, std::string& failure) {
    if (options.view == RenderOptions::View::Perspective) {
        return RenderPerspective(options, out, failure);
    }
    CameraControl camera;
    camera.Reset();
    camera.SetState(StateOf(options.view));
    camera.SetScreen(options.width, options.height);
    camera.Move(options.centre.x, options.centre.y, options.centre.z);
    if (options.zoom) {
        camera.SetZoom(*options.zoom);
    }
    DispControl::CreateDrawObjects();
    Draw(options, camera);
    DrawOverlays(options, camera);
    DispControl::DeleteDrawObjects();
    return WriteImage(*camera.GetSurface(), out, failure);
}
