#include "model/CobExport.h"

#include "model/CourseData.h"
#include "model/CourseSurface.h"
#include "model/FixedDecimal.h"
#include "platform/SaveFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace {

// The export writes every world coordinate at a hundredth of the course's scale.
constexpr double ExportScale = 0.01;

constexpr std::string_view Header = "Caligari V00.01ALH             \r\n"
                                    "PolH V0.02 Id 1302524 Parent 0 Size 0\r\n"
                                    "Name Course\r\n"
                                    "center 0 0 0\r\n"
                                    "x axis 1 0 0\r\n"
                                    "y axis 0 1 0\r\n"
                                    "z axis 0 0 1\r\n"
                                    "Transform\r\n"
                                    "1 0 0 0\r\n"
                                    "0 1 0 0\r\n"
                                    "0 0 1 0\r\n"
                                    "0 0 0 1\r\n";

constexpr std::string_view TextureVertices = "Texture Vertices 4\r\n"
                                             "0.000000 0.000000\r\n"
                                             "1.000000 0.000000\r\n"
                                             "1.000000 1.000000\r\n"
                                             "0.000000 1.000000\r\n";

constexpr std::string_view Material = "Mat1 V0.05 Id 1303064 Parent 1302524 Size 00000109\r\n"
                                      "mat# 0\r\n"
                                      "shader: phong  facet: auto40\r\n"
                                      "rgb 0.8627451,0.5882353,0.5882353\r\n"
                                      "alpha 1  ka 0.1  ks 0.1  exp 0  ior 1\r\n"
                                      "END  V1.00 Id 0 Parent 0 Size        0\r\n";

// Formats into a fixed buffer and hands it to the sink when nearly full. Numbers are
// formatted without the locale, as printf would in the C locale.
class CobTextWriter {
public:
    explicit CobTextWriter(CobTextSink& sink) : sink(sink) {}
    ~CobTextWriter() { Flush(); }
    CobTextWriter(const CobTextWriter&) = delete;
    CobTextWriter& operator=(const CobTextWriter&) = delete;

    void Text(std::string_view text) {
        if (text.size() > Room()) {
            Flush();
        }
        if (text.size() > Room()) {
            sink.Write(text);
            return;
        }
        used = std::copy(text.begin(), text.end(), buffer.begin() + used) - buffer.begin();
    }

    void Integer(int64_t value) {
        Reserve();
        used = std::to_chars(Cursor(), End(), value).ptr - buffer.data();
    }

    void Fixed6(double value) {
        Reserve();
        used = FormatFixed6(Cursor(), End(), value) - buffer.data();
    }

    void Flush() {
        if (used > 0) {
            sink.Write(std::string_view(buffer.data(), used));
            used = 0;
        }
    }

private:
    // The longest fixed "%f" of a double is 309 integer digits, a sign, a point and six
    // decimals; keeping this much room free lets every number format in place.
    static constexpr size_t NumberRoom = 320;

    size_t Room() const { return buffer.size() - used; }
    char* Cursor() { return buffer.data() + used; }
    char* End() { return buffer.data() + buffer.size(); }

    void Reserve() {
        if (Room() < NumberRoom) {
            Flush();
        }
    }

    CobTextSink& sink;
    std::array<char, size_t{64} * 1024> buffer{};
    size_t used = 0;
};

// One world vertex in the file's axis order x, z, y (the course's height becomes the
// third coordinate).
void WriteVertex(CobTextWriter& out, const Vec3d& p) {
    out.Fixed6(p.x * ExportScale);
    out.Text(" ");
    out.Fixed6(p.z * ExportScale);
    out.Text(" ");
    out.Fixed6(p.y * ExportScale);
    out.Text("\r\n");
}

void WriteWorldVertices(CobTextWriter& out) {
    out.Text("World Vertices ");
    out.Integer(2 * GetCourseRowNum());
    out.Text("\r\n");
    ForEachCourseRow([&out](const CourseSection& section) {
        Vec3d edge1{};
        Vec3d edge2{};
        CalcSectionEdge(section, edge1, edge2);
        WriteVertex(out, edge1);
        WriteVertex(out, edge2);
    });
}

void WritePair(CobTextWriter& out, int64_t vertex, int texture) {
    out.Text("<");
    out.Integer(vertex);
    out.Text(",");
    out.Integer(texture);
    out.Text(">");
}

// Face j runs first edge of row j, second edge of row j, second and first edge of row
// j + 1, textured (0,1), (1,1), (1,0), (0,0).
void WriteFaces(CobTextWriter& out) {
    const int64_t rows = GetCourseRowNum();
    const int64_t faces = rows > 0 ? rows - 1 : 0;
    out.Text("Faces ");
    out.Integer(faces);
    out.Text("\r\n");
    for (int64_t j = 0; j < faces; ++j) {
        const int64_t b = 2 * j;
        out.Text("Face verts 4 flags 16 mat 0\r\n");
        WritePair(out, b, 3);
        out.Text(" ");
        WritePair(out, b + 1, 2);
        out.Text(" ");
        WritePair(out, b + 3, 1);
        out.Text(" ");
        WritePair(out, b + 2, 0);
        out.Text("\r\n");
    }
}

class SaveFileSink : public CobTextSink {
public:
    explicit SaveFileSink(SaveFile& file) : file(file) {}
    void Write(std::string_view chunk) override { file.Write(chunk.data(), chunk.size()); }

private:
    SaveFile& file;
};

} // namespace

void WriteCob(CobTextSink& sink) {
    CobTextWriter out(sink);
    out.Text(Header);
    if (CourseData::GetPointNum() > 0) {
        WriteWorldVertices(out);
    }
    out.Text(TextureVertices);
    WriteFaces(out);
    out.Text(Material);
}

int ExportCob(const char* fileName, std::string* failure) {
    SaveFile file(fileName);
    if (file.Open()) {
        SaveFileSink sink(file);
        WriteCob(sink);
    }
    if (!file.Commit()) {
        if (failure != nullptr) {
            *failure = file.Failure();
        }
        return 1;
    }
    return 0;
}
