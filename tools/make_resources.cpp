// Makes the designer's own bitmaps, road texture and click sound, so that every resource
// can be remade from code: velmora-make-resources OUTDIR writes OUTDIR/bitmaps/*.bmp,
// OUTDIR/Texture.bmp and OUTDIR/SetButton.wav. The output is the same bytes on every run.

#include "ButtonArt.h"
#include "PictureArt.h"
#include "ResourceWriter.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using ButtonArt::Button;
using ButtonArt::Icon;

constexpr int Wide = 91;
constexpr int Narrow = 45;
constexpr int Square = 22;

// The tool panel's fifteen buttons, then the perspective view's two.
constexpr std::array<Button, 17> Buttons{{
    {"EDITBUTTON_BMP", Wide, 3, Icon::Edit, "編集"},
    {"SAMPLEBUTTON_BMP", Wide, 3, Icon::Samples, "サンプル"},
    {"WIDTHBUTTON_BMP", Wide, 3, Icon::Width, "コース幅"},
    {"LOOPBUTTON_BMP", Wide, 3, Icon::Loop, "ループ"},
    {"CMRAMOVEBUTTON_BMP", Wide, 3, Icon::CameraMove, "視点移動"},
    {"CMRAZOOMBUTTON_BMP", Wide, 3, Icon::CameraZoom, "ズーム"},
    {"TOPVIEWBUTTON_BMP", Narrow, 3, Icon::TopView, "上面"},
    {"SIDEVIEWBUTTON_BMP", Narrow, 3, Icon::SideView, "側面"},
    {"FRONTVIEWBUTTON_BMP", Narrow, 3, Icon::FrontView, "正面"},
    {"EXPANDTOPBUTTON_BMP", Narrow, 3, Icon::ExpandTopView, "展上"},
    {"EXPANDSIDEBUTTON_BMP", Narrow, 3, Icon::ExpandSideView, "展側"},
    {"DIVVIEWBUTTON_BMP", Wide, 3, Icon::ShapeLayout, "形状"},
    {"HEIGHTVIEWBUTTON_BMP", Wide, 3, Icon::HeightLayout, "高度"},
    {"WIDTHVIEWBUTTON_BMP", Wide, 3, Icon::WidthLayout, "幅"},
    {"ROLLVIEWBUTTON_BMP", Wide, 3, Icon::RollLayout, "ロール"},
    {"WIREBUTTON_BMP", Square, 2, Icon::Wireframe, ""},
    {"TEXTUREBUTTON_BMP", Square, 2, Icon::Texture, ""},
}};

// The labels are drawn in the user interface's Japanese face without smoothing, as on a
// 16-bit display. Another face would silently change every strip, so it is refused.
bool MakeLabelFont(QFont& font) {
    font = QFont("IPAGothic");
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (QFontInfo(font).family() != "IPAGothic") {
        (void)std::fprintf(stderr, "velmora-make-resources: the font IPAGothic is missing "
                                   "(Debian package fonts-ipafont-gothic)\n");
        return false;
    }
    return true;
}

struct Output {
    std::filesystem::path path; // relative to the output folder
    std::vector<uint8_t> bytes;
};

std::vector<Output> MakeAll(const QFont& font) {
    std::vector<Output> outputs;
    const auto bitmap = [&outputs](const std::string& name, const QImage& image) {
        outputs.push_back({std::filesystem::path("bitmaps") / (name + ".bmp"),
                           ResourceWriter::EncodeBmp24(image)});
    };
    for (const Button& button : Buttons) {
        bitmap(button.name, ButtonArt::MakeStrip(button, font));
    }
    bitmap("SELECT_BMP", PictureArt::MakeSelectMarker());
    bitmap("HAND_BMP", PictureArt::MakeHandMarker());
    bitmap("CAMERAPOS_BMP", PictureArt::MakeCameraMarker());
    bitmap("MAIN_ICON", PictureArt::MakeMainIcon());
    outputs.push_back({"Texture.bmp", ResourceWriter::EncodeBmp24(PictureArt::MakeRoadTexture())});
    outputs.push_back(
        {"SetButton.wav", ResourceWriter::EncodeWav16Mono(PictureArt::MakeClickSound(),
                                                          PictureArt::ClickSampleRate)});
    return outputs;
}

// Writes every file it can and reports each one that fails.
bool WriteAll(const std::filesystem::path& out, const std::vector<Output>& outputs) {
    std::error_code error;
    std::filesystem::create_directories(out / "bitmaps", error);
    if (error) {
        (void)std::fprintf(stderr, "velmora-make-resources: %s: %s\n", out.c_str(),
                           error.message().c_str());
        return false;
    }
    bool ok = true;
    for (const Output& output : outputs) {
        if (!ResourceWriter::Write((out / output.path).string(), output.bytes)) {
            ok = false;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        (void)std::fprintf(stderr, "Usage: velmora-make-resources OUTDIR\n");
        return 2;
    }
    // Nothing is shown, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QFont font;
    if (!MakeLabelFont(font)) {
        return 1;
    }
    return WriteAll(argv[1], MakeAll(font)) ? 0 : 1;
}
