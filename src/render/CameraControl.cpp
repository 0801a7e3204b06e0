#include "render/CameraControl.h"

#include "base/Error.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* Tag = "CameraControl1";
constexpr double MinZoom = 0.01;
constexpr double MaxZoom = 300.0;
constexpr double MinScrnDst = 20.0;
constexpr double MaxScrnDst = 1000.0;

void ReportImpossibleState() {
    Error::Report(Tag, "カメラのstateにありえない設定を検出", 3);
}

} // namespace

void CameraControl::Reset() {
    x = y = z = 0.0;
    Rx = Ry = Rz = 0.0;
    ScrnDst = 256.0f;
    zoom = 0.1;
    screen.reset();
    width = height = 0;
    state = Unset;
}

void CameraControl::SetScreen(int newWidth, int newHeight) {
    if (screen == nullptr) {
        screen = std::make_unique<platform::BackBuffer>();
    }
    platform::WindowsService::CreateBackBuffer(*screen, newWidth, newHeight);
    const bool made = screen->surface != nullptr;
    width = made ? newWidth : 0;
    height = made ? newHeight : 0;
}

void CameraControl::ReleaseScreen() {
    screen.reset();
    width = height = 0;
}

platform::DrawContext* CameraControl::GetSurface() {
    return screen != nullptr && screen->surface != nullptr ? screen->context.get() : nullptr;
}

const platform::DrawContext* CameraControl::GetSurface() const {
    return screen != nullptr && screen->surface != nullptr ? screen->context.get() : nullptr;
}

void CameraControl::GetScreenSize(int& w, int& h) const {
    w = width;
    h = height;
}

void CameraControl::SetState(int32_t newState) {
    if (newState < Perspective || newState > Front) {
        Error::Report(Tag, "対応していないカメラの属性を検出", 3);
        return;
    }
    state = newState;
}

void CameraControl::GetCamera(double& cx, double& cy, double& cz, double& cZoom) const {
    cx = x;
    cy = y;
    cz = z;
    cZoom = zoom;
}

void CameraControl::SetScrnDst(double d) {
    if (state == Perspective) {
        ScrnDst = static_cast<float>(std::clamp(d, MinScrnDst, MaxScrnDst));
    } else if (IsParallel()) {
        Error::Report(Tag, "平行カメラなのにScrnDstを設定しようとした", 3);
    }
}

double CameraControl::GetScrnDst() const {
    if (state == Perspective) {
        return ScrnDst;
    }
    if (IsParallel()) {
        Error::Report(Tag, "平行カメラなのにズームを獲得しようとした", 3);
    }
    return 0.0;
}

// Written as comparisons so that a NaN zoom is refused too: it takes the lower bound.
void CameraControl::SetZoom(double f) {
    if (IsParallel()) {
        zoom = f > MaxZoom ? MaxZoom : (f >= MinZoom ? f : MinZoom);
    } else if (state == Perspective) {
        Error::Report(Tag, "パースペクティブカメラなのにズーム設定しようとした", 3);
    }
}

double CameraControl::GetZoom() const {
    if (IsParallel()) {
        return zoom;
    }
    if (state == Perspective) {
        Error::Report(Tag, "パースペクティブカメラなのにズームを獲得しようとした", 3);
    }
    return 0.0;
}

// A parallel view never moves along its depth axis.
void CameraControl::Move(double dx, double dy, double dz) {
    switch (state) {
    case Perspective:
        x += dx;
        y += dy;
        z += dz;
        break;
    case Top:
        x += dx;
        z += dz;
        break;
    case Side:
        y += dy;
        z += dz;
        break;
    case Front:
        x += dx;
        y += dy;
        break;
    default:
        break;
    }
}

void CameraControl::UpdateRotation() {
    if (state != Perspective) {
        return;
    }
    SetRotation(rotation, Rx, Ry, Rz);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            inverseRotation.m[row][column] = rotation.m[column][row];
        }
    }
}

int CameraControl::PerspectiveToScreen(const Vec3d& world, Vec3d& screen) const {
    if (state != Perspective) {
        ReportImpossibleState();
        return 0;
    }
    // Camera space, then a projection about the centre with ScrnDst pixels per unit of
    // depth ratio.
    const int hw = width / 2;
    const int hh = height / 2;
    Vec3d offset;
    Vec3d camera;
    Sub(offset, world, Vec3d{x, y, z});
    MulVec(camera, rotation, offset);
    if (camera.z < ScrnDst) {
        return 1;
    }
    const double scale = ScrnDst / camera.z;
    screen = {hw + std::trunc(camera.x * scale), hh - std::trunc(camera.y * scale), camera.z};
    return 0;
}

int CameraControl::ScreenToWorld(int sx, int sy, Vec3d& world) const {
    if (state == Perspective) {
        Error::Report(Tag, "パースペクティブカメラなのにスクリーン座標をワールドに変換しようとした",
                      3);
        return 1;
    }
    if (!IsParallel()) {
        ReportImpossibleState();
        return 0;
    }
    const int a = sx - width / 2;
    const int b = height / 2 - sy;
    const double r = 1.0 / zoom;
    switch (state) {
    case Top:
        world = {x + a * r, y, z + b * r};
        break;
    case Side:
        world = {x, y + b * r, z + a * r};
        break;
    default:
        world = {x + a * r, y + b * r, z};
        break;
    }
    return 0;
}
