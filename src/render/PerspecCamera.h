#pragma once

#include "base/VectorMath.h"
#include "platform/WindowsService.h"
#include "render/TextureSpan.h"

#include <cstdint>
#include <memory>
#include <optional>

// A line between two pixels of a surface.
struct ScreenLine {
    int x0, y0, x1, y1;
};

// The camera and polygon pipeline of the three-dimensional view: an eye position and
// orientation (sines and cosines of the three angles), a lens, and the view's off-screen
// surface. Each polygon is carried into camera space, clipped to the near and far planes,
// projected, culled when it faces away (textured drawing only), clipped to the surface and
// drawn as a white outline or filled with a texture. The camera owns its surface: it goes
// with the camera, or sooner by ReleaseScreen. Misuse is reported with tag
// "PerspecCamera1", which ends the program.
class PerspecCamera {
public:
    // 0 no surface; 1 surface set, rotation stale; 2 rotation current.
    enum State : int32_t { NoScreen = 0, RotationStale = 1, Ready = 2 };
    enum Mode : int { Wireframe = 0, Textured = 1 };
    // Most vertices a polygon may have.
    static constexpr int MaxVertices = 20;

    void Reset();
    // Replaces the surface by one of the new size; a size of zero or less leaves none,
    // and then nothing is drawn.
    void SetScreen(int newWidth, int newHeight);
    void ReleaseScreen();
    // The surface's drawing context; nullptr while the view has no surface.
    platform::DrawContext* GetSurface();
    const platform::DrawContext* GetSurface() const;
    void GetScreenSize(int& w, int& h) const;
    int32_t GetState() const { return state; }

    void SetPosition(float x, float y, float z);
    void SetRotation(float sinX, float cosX, float sinY, float cosY, float sinZ, float cosZ);
    void GetLens(float& lensWidth, float& lensHeight, float& lensDst, float& viewOffset,
                 float& farDst) const;
    void SetLens(float lensWidth, float lensHeight, float lensDst, float viewOffset, float farDst);
    void UpdateObject();

    Vec3 WorldToCamera(const Vec3& p) const;
    // In place: x and y to surface pixels about the centre, z to depth / far distance.
    void Project(Vec3* vertices, int count) const;
    // Vertices in camera space; mode Wireframe outlines, Textured fills with the texture.
    // A polygon with a vertex that is not finite or lies beyond 1e30 is left out whole.
    void DrawPolygon(const Vec3* vertices, const Vec2* uvs, int count, const TextureView& texture,
                     int mode);
    // The horizon, where the level ground meets the sky at infinity: two pixels on it off
    // the surface on either side, so that the line between them crosses the whole surface.
    // None when it misses the surface, as when the view looks steeply up or down.
    [[nodiscard]] std::optional<ScreenLine> Horizon() const;

private:
    void UpdateProjection();
    void RequireCurrentRotation() const;
    bool FacesAway(const Vec3* projected, int count) const;
    void DrawOutline(const Vec3* vertices, int count);

    Vec3 position;
    float sinRx, cosRx, sinRy, cosRy, sinRz, cosRz;
    float LenzWIdth;
    float LenzHeight;
    float LenzDst;
    float ViewOffset;
    float FarDst;
    std::unique_ptr<platform::BackBuffer> screen;
    int32_t width, height;
    Mat3 rotation;
    float scaleX, scaleY, depthScale;
    int32_t centreX, centreY;
    int32_t state;
};
