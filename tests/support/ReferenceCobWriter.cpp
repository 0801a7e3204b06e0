#include "support/ReferenceCobWriter.h"

#include "model/CourseData.h"
#include "model/CourseSurface.h"

void WriteReferenceCob(std::FILE* file) {
    std::fprintf(file, "Caligari V00.01ALH             \r\n"
                       "PolH V0.02 Id 1302524 Parent 0 Size 0\r\n"
                       "Name Course\r\ncenter 0 0 0\r\n"
                       "x axis 1 0 0\r\ny axis 0 1 0\r\nz axis 0 0 1\r\n"
                       "Transform\r\n1 0 0 0\r\n0 1 0 0\r\n0 0 1 0\r\n0 0 0 1\r\n");
    const long long rows = GetCourseRowNum();
    if (CourseData::GetPointNum() > 0) {
        std::fprintf(file, "World Vertices %lld\r\n", 2 * rows);
        ForEachCourseRow([file](const CourseSection& section) {
            Vec3d e1{};
            Vec3d e2{};
            CalcSectionEdge(section, e1, e2);
            for (const Vec3d& e : {e1, e2}) {
                std::fprintf(file, "%f %f %f\r\n", e.x * 0.01, e.z * 0.01, e.y * 0.01);
            }
        });
    }
    std::fprintf(file, "Texture Vertices %d\r\n", 4);
    const float texture[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const auto& uv : texture) {
        std::fprintf(file, "%f %f\r\n", uv[0], uv[1]);
    }
    const long long faces = rows > 0 ? rows - 1 : 0;
    std::fprintf(file, "Faces %lld\r\n", faces);
    for (long long j = 0; j < faces; ++j) {
        const long long b = 2 * j;
        std::fprintf(file, "Face verts 4 flags 16 mat 0\r\n");
        std::fprintf(file, "<%lld,%d> <%lld,%d> <%lld,%d> <%lld,%d>\r\n", b, 3, b + 1, 2, b + 3, 1,
                     b + 2, 0);
    }
    std::fprintf(file, "Mat1 V0.05 Id 1303064 Parent 1302524 Size 00000109\r\n"
                       "mat# 0\r\nshader: phong  facet: auto40\r\n"
                       "rgb 0.8627451,0.5882353,0.5882353\r\n"
                       "alpha 1  ka 0.1  ks 0.1  exp 0  ior 1\r\n"
                       "END  V1.00 Id 0 Parent 0 Size        0\r\n");
}
