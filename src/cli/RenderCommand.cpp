#include "cli/RenderCommand.h"

#include "cli/SurfaceImage.h"
#include "render/CameraControl.h"
#include "views/DispControl.h"
#include "views/ExpandDisp.h"
#include "views/ParallelDisp.h"
#include "views/SpPointDisp.h"

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

void Draw(const RenderOptions& options, const CameraControl& camera) {
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
        SpPointDisp::Draw(camera, SpPointDisp::GripRoll);
        break;
    }
}

} // namespace

bool IsRenderTarget(const std::string& out) {
    return EndsWith(out, ".bmp") || EndsWith(out, ".png");
}

int RenderView(const RenderOptions& options, const std::string& out) {
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
    DispControl::DeleteDrawObjects();
    const platform::Surface& surface = *camera.GetSurface()->GetSurface();
    const int status = EndsWith(out, ".png") ? SurfaceImage::WritePng(surface, out)
                                             : SurfaceImage::WriteBmp16(surface, out);
    camera.ReleaseScreen();
    return status;
}
