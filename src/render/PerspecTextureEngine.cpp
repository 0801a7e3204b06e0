#include "render/PerspecTextureEngine.h"

#include "base/Error.h"
#include "platform/Surface.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace PerspecTextureEngine {
namespace {

using TextureSpan::FixedOne;
using TextureSpan::Segment;
using TextureSpan::Truncate;

constexpr const char* Tag = "PerspecTextureEngine1";

// Depths the table serves safely: the fixed-point depth keeps its index within 0 .. 4096
// even after the small overshoot its truncated steps can add along a line or an edge.
constexpr float MinDepth = 1.0F / 8192.0F;
constexpr float MaxDepth = 1.0F + 1.0F / 8192.0F;

struct EdgeTable {
    std::unique_ptr<float[]> x;
    std::unique_ptr<Vec2[]> uv;
    std::unique_ptr<float[]> z;
};

struct Engine {
    std::unique_ptr<Segment[]> segments;
    EdgeTable left;
    EdgeTable right;
    int tableHeight = 0;
    std::vector<TextureSpan::Run> runs; // the current polygon's lines, kept for reuse
    int lowest = 0;
    int highest = 0;
};

Engine engine;

template <class T> std::unique_ptr<T[]> AllocateTable(std::unique_ptr<T[]>& table, int size) {
    if (table) {
        Error::Fatal(Tag, "設定されているメモリにさらに設定しようとした");
    }
    std::unique_ptr<T[]> p(new (std::nothrow) T[static_cast<std::size_t>(size)]());
    if (!p) {
        Error::Fatal(Tag, "テーブルメモリの獲得に失敗");
    }
    return p;
}

void FreeEdgeTables() {
    engine.left = {};
    engine.right = {};
    engine.tableHeight = 0;
    engine.runs = {};
}

int Line(float y) {
    return Truncate(y + 0.5F);
}

// Walks one edge line by line into one side's table. The perspective-correct fraction
// toward vertex 1 at screen fraction s is t = s * z0 / ((1 - s) * z1 + s * z0): the
// numerator w and the fixed-point denominator E both advance by one addition per line.
void WalkEdge(EdgeTable& side, Vec3 p0, Vec2 uv0, Vec3 p1, Vec2 uv1) {
    if (Line(p1.y) < Line(p0.y)) {
        std::swap(p0, p1);
        std::swap(uv0, uv1);
    }
    const int first = Line(p0.y);
    const int last = Line(p1.y);
    const float r = 1.0F / static_cast<float>(last - first);
    engine.lowest = std::min(engine.lowest, first);
    engine.highest = std::max(engine.highest, last);
    float x = p0.x;
    const float dx = (p1.x - p0.x) * r;
    float w = 0.0F;
    const float dw = p0.z * r;
    std::int32_t e = Truncate(p1.z * FixedOne);
    const std::int32_t de = Truncate((p0.z - p1.z) * FixedOne * r);
    for (int line = first; line <= last; ++line) {
        const float t = w * TextureSpan::Reciprocal(engine.segments.get(), e);
        side.x[line] = x;
        Lerp(side.uv[line], uv0, uv1, t);
        side.z[line] = p0.z + t * (p1.z - p0.z);
        x += dx;
        w += dw;
        e += de;
    }
}

// Fills every line the polygon touched between its left and right entries, all lines in
// one call so the fill can work on several at once.
void FillSpans(platform::Surface& surface, const TextureView& texture,
               TextureSpan::FillFunction fill) {
    const int width = surface.Width();
    engine.runs.clear();
    for (int y = engine.lowest; y <= engine.highest; ++y) {
        const int xl = Line(engine.left.x[y]);
        const int xr = Line(engine.right.x[y]);
        // A line the polygon left unwritten may hold an older, wider surface's entry.
        if (xr < xl || xl < 0 || xr >= width) {
            continue;
        }
        const float r = xl == xr ? 0.0F : 1.0F / static_cast<float>(xr - xl);
        const float zl = std::clamp(engine.left.z[y], MinDepth, MaxDepth);
        const float zr = std::clamp(engine.right.z[y], MinDepth, MaxDepth);
        TextureSpan::Run run{};
        run.pixels = surface.Row(y) + xl;
        run.count = xr - xl + 1;
        run.w = 0.0F;
        run.dw = zl * r;
        run.e = Truncate(zr * FixedOne);
        run.de = Truncate(r * (zl - zr) * FixedOne);
        run.uv = engine.left.uv[y];
        Sub(run.duv, engine.right.uv[y], engine.left.uv[y]);
        engine.runs.push_back(run);
    }
    fill(engine.runs, texture, engine.segments.get());
}

bool Drawable(const Vec3& p, const Vec2& uv, int width, int height) {
    return p.x >= 0.0F && p.x <= static_cast<float>(width - 1) && p.y >= 0.0F &&
           p.y <= static_cast<float>(height - 1) && p.z >= MinDepth && p.z <= MaxDepth &&
           std::isfinite(uv.u) && std::isfinite(uv.v);
}

} // namespace

void Initialize() {
    if (engine.segments) {
        Error::Fatal(Tag, "クラスを２度初期化しようとした");
    }
    std::unique_ptr<Segment[]> table(new (std::nothrow) Segment[SegmentCount]);
    if (!table) {
        Error::Fatal(Tag, "セグメント値テーブルのメモリの獲得に失敗");
    }
    table[0] = {std::numeric_limits<float>::max(), std::bit_cast<float>(0x777FFFFFU)};
    for (int i = 1; i < SegmentCount - 1; ++i) {
        const float fi = static_cast<float>(i);
        // The products are exact in float, so each entry is one correctly rounded quotient.
        table[i] = {4096.0F / fi, 4096.0F / (65536.0F * fi * (fi + 1.0F))};
    }
    table[SegmentCount - 1] = {1.0F, 0.0F};
    engine.segments = std::move(table);
}

void Release() {
    if (!engine.segments) {
        Error::Fatal(Tag, "初期化していないクラスをデストラクトした");
    }
    engine.segments.reset();
    FreeEdgeTables();
}

void PrepareTables(int height) {
    if (height < 1) {
        Error::Fatal(Tag, "空のテーブルを作成しようとした");
    }
    if (height != engine.tableHeight) {
        FreeEdgeTables();
        engine.left.x = AllocateTable(engine.left.x, height);
        engine.right.x = AllocateTable(engine.right.x, height);
        engine.left.uv = AllocateTable(engine.left.uv, height);
        engine.right.uv = AllocateTable(engine.right.uv, height);
        engine.left.z = AllocateTable(engine.left.z, height);
        engine.right.z = AllocateTable(engine.right.z, height);
        engine.tableHeight = height;
    }
    // Sentinels: any line a polygon touches replaces them.
    engine.lowest = 36635;
    engine.highest = -36636;
}

void DrawPolygon(platform::Surface& surface, const Vec3* vertices, const Vec2* uvs, int count,
                 const TextureView& texture, TextureSpan::FillFunction fill) {
    if (!engine.segments) {
        Error::Fatal(Tag, "クラスを初期化していません");
    }
    PrepareTables(surface.Height());
    for (int i = 0; i < count; ++i) {
        if (!Drawable(vertices[i], uvs[i], surface.Width(), surface.Height())) {
            return;
        }
    }
    for (int i = 0; i < count; ++i) {
        const int j = i + 1 == count ? 0 : i + 1;
        const int ya = Line(vertices[i].y);
        const int yb = Line(vertices[j].y);
        if (ya != yb) {
            // Screen y grows downward: edges running up form the left side.
            WalkEdge(ya > yb ? engine.left : engine.right, vertices[i], uvs[i], vertices[j],
                     uvs[j]);
        }
    }
    FillSpans(surface, texture, fill);
}

const TextureSpan::Segment* Segments() {
    return engine.segments.get();
}

} // namespace PerspecTextureEngine
