#include "platform/BitmapHeader.h"
#include "platform/Surface.h"
#include "render/BMPFile.h"
#include "render/CameraControl.h"
#include "render/Clipping.h"
#include "render/PerspecCamera.h"
#include "render/PerspecTextureEngine.h"
#include "render/PictureBank.h"
#include "support/ErrorLogCheck.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 24-bit bitmap file of grey pixels, its rows padded to four bytes.
Bytes Bitmap(int width, int height) {
    const int rowBytes = (width * 3 + 3) & ~3;
    Bytes file = BitmapHeader::Write(width, height, 24, rowBytes * height);
    file.resize(file.size() + static_cast<std::size_t>(rowBytes * height), 0x40);
    return file;
}

void Load(const char* path, int depth = 16) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t size = 0;
    (void)BMPFile::Load(path, width, height, size, depth);
}

CameraControl Camera(int state) {
    CameraControl camera;
    camera.Reset();
    camera.SetState(state);
    camera.SetScreen(64, 48);
    return camera;
}

// The perspective window's lens on a 100 x 100 surface, ready to draw.
void Ready(PerspecCamera& camera) {
    camera.Reset();
    camera.SetLens(2.0F, 2.0F, 4.0F, 4.0F, 500.0F);
    camera.SetScreen(100, 100);
    camera.UpdateObject();
}

void SetRotation(float sinX, float cosX, float sinY, float cosY, float sinZ, float cosZ) {
    PerspecCamera camera{};
    Ready(camera);
    camera.SetRotation(sinX, cosX, sinY, cosY, sinZ, cosZ);
}

void SetLens(float width, float height, float dst, float farDst) {
    PerspecCamera camera{};
    Ready(camera);
    camera.SetLens(width, height, dst, 4.0F, farDst);
}

// A statement that first fills a bank of `bits` with the 2 x 2 "tex.bmp" and the 3 x 2
// "odd.bmp", decided or not, and then does `use`.
std::function<void()> InBank(int bits, bool decide, void (*use)()) {
    return [=] {
        PictureBank::Initialize(bits);
        PictureBank::Register("tex.bmp");
        PictureBank::Register("odd.bmp");
        if (decide) {
            PictureBank::Decide();
        }
        use();
    };
}

void GetImage(int id) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t size = 0;
    std::uint8_t flags = 0;
    (void)PictureBank::GetImage(id, width, height, size, flags);
}

void GetPow2Data(int id) {
    std::int32_t log2Width = 0;
    std::int32_t log2Height = 0;
    (void)PictureBank::GetPow2Data(id, log2Width, log2Height);
}

void GetPaletteColor(int index) {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    PictureBank::GetPaletteColor(index, red, green, blue);
}

const Vec3 Triangle[3] = {{-2, 2, 4}, {2, 2, 4}, {-2, -2, 4}};
const Vec2 Uvs[PerspecCamera::MaxVertices + 1] = {};

// The tags of the layer's classes.
constexpr const char *Clip = "Clipping4", *Cam = "CameraControl1", *Lens = "PerspecCamera1",
                     *Tex = "PerspecTextureEngine1", *Bmp = "BMPFile1", *Bank = "PictureBank1";

using RenderReportTest = ScratchDirTest;

TEST_F(RenderReportTest, MisuseEndsTheProgramWithItsReport) {
    WriteBytes("tex.bmp", Bitmap(2, 2));
    WriteBytes("odd.bmp", Bitmap(3, 2));
    ASSERT_EQ(mkfifo("fifo.bmp", 0600), 0);
    WriteBytes("broken.bmp", {'B', 'M', 0, 0});
    Vec3 p{};
    Vec2 uv{};
    const ReportCase reports[] = {
        // A triangle cut into a quadrilateral does not fit a caller's capacity of 3.
        {[] {
             Vec3 points[3] = {{0, 0, 1}, {10, 0, 10}, {0, 10, 10}};
             Vec2 uvs[3] = {};
             Clipping::ClipDepth(points, uvs, 3, 3, 4, 500);
         },
         Clip, "クリッピングバッファが足りない。メモリ破壊"},
        {[&] {
             Clipping::IntersectX({1, 0, 1}, {}, {1, 5, 2}, {}, 1, p, uv);
         },
         Clip, "X面と平行の直線との交点を求めようとした"},
        {[&] {
             Clipping::IntersectY({0, 2, 1}, {}, {5, 2, 2}, {}, 2, p, uv);
         },
         Clip, "Y面と平行の直線との交点を求めようとした"},
        {[&] {
             Clipping::IntersectZ({0, 0, 3}, {}, {5, 5, 3}, {}, 3, p, uv);
         },
         Clip, "Z面と平行の直線との交点を求めようとした"},

        {[] { Camera(CameraControl::Front + 1); }, Cam, "対応していないカメラの属性を検出"},
        {[] {
             CameraControl camera;
             camera.Reset();
             Vec3d screen;
             camera.WorldToScreen({0, 0, 0}, screen);
         },
         Cam, "カメラのstateにありえない設定を検出"},
        {[] { Camera(CameraControl::Top).SetScrnDst(50); }, Cam,
         "平行カメラなのにScrnDstを設定しようとした"},
        {[] { (void)Camera(CameraControl::Side).GetScrnDst(); }, Cam,
         "平行カメラなのにズームを獲得しようとした"},
        {[] { Camera(CameraControl::Perspective).SetZoom(1); }, Cam,
         "パースペクティブカメラなのにズーム設定しようとした"},
        {[] { (void)Camera(CameraControl::Perspective).GetZoom(); }, Cam,
         "パースペクティブカメラなのにズームを獲得しようとした"},
        {[] {
             Vec3d world;
             Camera(CameraControl::Perspective).ScreenToWorld(1, 1, world);
         },
         Cam, "パースペクティブカメラなのにスクリーン座標をワールドに変換しようとした"},

        {[] {
             PerspecCamera fresh{};
             fresh.Reset();
             fresh.SetRotation(0, 1, 0, 1, 0, 1);
         },
         Lens, "スクリーンが設定されていないのにオブジェクトを更新しようとした"},
        {[] {
             PerspecCamera camera{};
             Ready(camera);
             camera.SetRotation(0, 1, 0, 1, 0, 1);
             (void)camera.WorldToCamera({0, 0, 0});
         },
         Lens, "オブジェクトデータを更新する必要がある"},
        {[] { SetRotation(1.01F, 1, 0, 1, 0, 1); }, Lens, "sinRxにありえない値を検出"},
        {[] { SetRotation(0, -1.01F, 0, 1, 0, 1); }, Lens, "cosRxにありえない値を検出"},
        {[] { SetRotation(0, 1, 2, 1, 0, 1); }, Lens, "sinRyにありえない値を検出"},
        {[] { SetRotation(0, 1, 0, 1.5F, 0, 1); }, Lens, "cosRyにありえない値を検出"},
        {[] { SetRotation(0, 1, 0, 1, -3, 1); }, Lens, "sinRzにありえない値を検出"},
        {[] { SetRotation(0, 1, 0, 1, 0, NAN); }, Lens, "cosRzにありえない値を検出"},
        {[] { SetLens(0, 2, 4, 500); }, Lens, "マイナス値をLenzWIdthに設定しようとした"},
        {[] { SetLens(2, -1, 4, 500); }, Lens, "マイナス値をLenzHeightに設定しようとした"},
        {[] { SetLens(2, 2, 0, 500); }, Lens, "マイナス値をLenzDstに設定しようとした"},
        {[] { SetLens(2, 2, 500, 500); }, Lens, "LenzDst>FarDstに設定しようとした"},
        {[] {
             PerspecTextureEngine::Initialize();
             PerspecCamera camera{};
             Ready(camera);
             const std::uint16_t texel = 0;
             camera.DrawPolygon(Triangle, Uvs, PerspecCamera::MaxVertices + 1, {&texel, 0, 0},
                                PerspecCamera::Textured);
         },
         Lens, "ポリゴンの頂点数が範囲外"},

        {[] {
             PerspecTextureEngine::Initialize();
             PerspecTextureEngine::Initialize();
         },
         Tex, "クラスを２度初期化しようとした"},
        {[] { PerspecTextureEngine::Release(); }, Tex, "初期化していないクラスをデストラクトした"},
        {[] {
             platform::Surface s(4, 4);
             const std::uint16_t texel = 0;
             PerspecTextureEngine::DrawPolygon(s, Triangle, Uvs, 3, {&texel, 0, 0});
         },
         Tex, "クラスを初期化していません"},
        {[] { PerspecTextureEngine::PrepareTables(0); }, Tex, "空のテーブルを作成しようとした"},

        // A FIFO is refused like a missing file, not waited on: the alarm ends a child that
        // waits for a writer.
        {[] {
             alarm(60);
             Load("fifo.bmp");
         },
         Bmp, "ファイルのオープンに失敗"},
        // The other refusals are the decoder's, checked with the bitmap tests.
        {[] { Load("broken.bmp"); }, Bmp, "ﾋﾞｯﾄﾏｯﾌﾟでないﾌｧｲﾙをｵｰﾌﾟﾝした"},
        {[] { Load("tex.bmp", 32); }, Bmp, "対応していないカラービットに変換しようとした"},

        {[] { PictureBank::Register("tex.bmp"); }, Bank,
         "初期化されていないか決定されているのに登録しようとした"},
        {[] { PictureBank::Initialize(15); }, Bank, "対応していないｶﾗｰﾋﾞｯﾄが設定されました"},
        {InBank(16, false, [] { PictureBank::Initialize(16); }), Bank,
         "このｸﾗｽが２度初期化された可柏ｫがある"},
        {InBank(16, false, [] { PictureBank::Register("tex.Bmp"); }), Bank,
         "対応していない画像拡張子を検出"},
        {InBank(16, false, [] { PictureBank::Register("dir.bmp/picture"); }), Bank,
         "拡張子のない画像ﾌｧｲﾙﾊﾟｽが設定されている"},
        {InBank(16, false,
                [] {
                    for (int i = 0; i < PictureBank::MaxPictures; ++i) {
                        PictureBank::Register("tex.bmp");
                    }
                }),
         Bank, "ﾘｿｰｽ数が満杯です"},
        {InBank(16, true, [] { PictureBank::Decide(); }), Bank,
         "画像が設定されていないのに決定された"},
        {InBank(16, false, [] { GetImage(0); }), Bank, "ﾘｿｰｽを決定しないでｱｸｾｽしてきた"},
        {InBank(16, false, [] { (void)PictureBank::GetCount(); }), Bank,
         "登録完了していないのにｶﾗｰﾊﾟﾚｯﾄを獲得しようとした"},
        {InBank(16, true, [] { (void)PictureBank::HasPow2Data(2); }), Bank,
         "登録IDの範囲を超えてﾘｿｰｽにｱｸｾｽした"},
        {InBank(16, true, [] { GetPow2Data(1); }), Bank,
         "2のN乗ﾃﾞｰﾀでないのに２のN乗ﾃﾞｰﾀを獲得しようとした"},
        {InBank(16, true, [] { (void)PictureBank::GetPalette(); }), Bank,
         "８ﾋﾞｯﾄｶﾗｰでないのにｶﾗｰﾊﾟﾚｯﾄを獲得しようとした"},
        {InBank(8, true, [] { (void)PictureBank::GetPaletteIndex(32768); }), Bank,
         "15ﾋﾞｯﾄｶﾗｰでないものが入力された"},
        {InBank(8, true, [] { GetPaletteColor(256); }), Bank, "ﾊﾟﾚｯﾄ番号でないものが入力された"},
    };
    ExpectReports(reports);
}

} // namespace
