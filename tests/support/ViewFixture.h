#pragma once

#include "render/CameraControl.h"
#include "support/CourseTest.h"
#include "views/DispControl.h"

// A view's camera looking along the state's axis at `centre`, with a surface of the size.
inline CameraControl MakeViewCamera(int32_t state, int width, int height, double zoom = 1.0,
                                    const Vec3d& centre = {0, 0, 0}) {
    CameraControl camera{};
    camera.Reset();
    camera.SetState(state);
    camera.SetScreen(width, height);
    camera.SetZoom(zoom);
    camera.Move(centre.x, centre.y, centre.z);
    return camera;
}

// A test of drawing and hit testing: a fresh course and the views' drawing objects.
class ViewTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        DispControl::CreateDrawObjects();
    }
    void TearDown() override {
        DispControl::DeleteDrawObjects();
        CourseTest::TearDown();
    }
};
