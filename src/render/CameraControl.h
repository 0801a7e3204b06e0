#pragma once

#include "base/VectorMath.h"
#include "platform/WindowsService.h"

#include <cmath>
#include <cstdint>
#include <memory>

// The camera of a two-dimensional view: where it looks (a world point and a zoom in
// pixels per world unit), along which axis (its state), and the view's off-screen
// surface, which the camera owns: it goes with the camera, or sooner by ReleaseScreen.
// It maps world points to surface pixels and mouse positions back.
class CameraControl {
public:
    enum State : int32_t { Perspective = 0, Top = 1, Side = 2, Front = 3, Unset = -1 };

    void Reset();
    // Replaces the surface by one of the new size; a size of zero or less leaves none.
    void SetScreen(int width, int height);
    void ReleaseScreen();
    // The surface's drawing context; nullptr while the view has no surface.
    platform::DrawContext* GetSurface();
    const platform::DrawContext* GetSurface() const;
    void GetScreenSize(int& w, int& h) const;

    void SetState(int32_t newState);
    int32_t GetState() const { return state; }
    void GetCamera(double& cx, double& cy, double& cz, double& cZoom) const;
    void SetScrnDst(double d);
    double GetScrnDst() const;
    void SetZoom(double f);
    double GetZoom() const;
    void Move(double dx, double dy, double dz);
    void UpdateRotation();
    // 0 when the screen point was written; 1 for a perspective point nearer than ScrnDst.
    // The parallel views' projection is inline: they project every row of the course.
    int WorldToScreen(const Vec3d& world, Vec3d& screen) const {
        if (!IsParallel()) {
            return PerspectiveToScreen(world, screen);
        }
        screen = ParallelToScreen(world);
        return 0;
    }
    // 0 on success; 1 on the perspective state, which has no inverse.
    int ScreenToWorld(int sx, int sy, Vec3d& world) const;

private:
    bool IsParallel() const { return state >= Top && state <= Front; }
    // Screen x and y, and the depth, of a parallel camera.
    Vec3d ParallelToScreen(const Vec3d& world) const {
        const int hw = width / 2;
        const int hh = height / 2;
        const double X = (world.x - x) * zoom;
        const double Y = (world.y - y) * zoom;
        const double Z = (world.z - z) * zoom;
        switch (state) {
        case Top:
            return {hw + std::trunc(X), hh - std::trunc(Z), Y};
        case Side:
            return {hw + std::trunc(Z), hh - std::trunc(Y), X};
        default:
            return {hw + std::trunc(X), hh - std::trunc(Y), Z};
        }
    }
    // WorldToScreen of every other state.
    int PerspectiveToScreen(const Vec3d& world, Vec3d& screen) const;

    double x, y, z;
    double Rx, Ry, Rz;
    float ScrnDst;
    double zoom;
    std::unique_ptr<platform::BackBuffer> screen;
    int32_t width, height;
    int32_t state;
    Mat3d rotation;
    Mat3d inverseRotation;
};
