#include "support/TempDir.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

const std::string Sample = VELMORA_SOURCE_DIR "/resources/samples/circuit.cus";

int Cli(const TempDir& dir, const std::string& arguments) {
    const std::string command =
        "cd " + dir.Path().string() + " && " VELMORA_CLI " " + arguments + " >.stdout 2>.stderr";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

// Every view's pixels are compared as bitmaps with the golden views; a .png name asks for
// the same picture as PNG.
TEST(RenderCommand, PngNamesGetAPng) {
    TempDir dir;
    ASSERT_EQ(Cli(dir, "render " + Sample + " top.png --view top --size 64x48"), 0);
    const std::vector<unsigned char> png = ReadBytes(dir.File("top.png"));
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    EXPECT_EQ(png[16 + 3], 64); // IHDR width and height, big-endian
    EXPECT_EQ(png[20 + 3], 48);
}

TEST(RenderCommand, MistakesAreRefusedWithTheUsualStatuses) {
    TempDir dir;
    for (const char* wrong :
         {"--view top --size 0x5", "--view top --size 9000x10", "--view top --zoom -1",
          "--view top --zoom nan", "--size 10x10", "--view top --center 1,2",
          "--view top --bogus 1", "--view", "--view perspective --camera 15,0",
          "--view perspective --camera 0,1.5", "--view perspective --camera -1,0",
          "--view perspective --camera 2", "--view perspective --mode solid",
          "--view top --mode wire", "--view side --camera 0,0", "--view perspective --texture"}) {
        EXPECT_EQ(Cli(dir, "render " + Sample + " out.png " + wrong), 2) << wrong;
    }
    EXPECT_EQ(Cli(dir, "render " + Sample + " out.gif --view top"), 2);
    EXPECT_EQ(Cli(dir, "render missing.cus out.png --view top"), 1);
    EXPECT_EQ(Cli(dir, "render " + Sample + " no/such/dir/out.png --view top"), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.png")));
}

// The golden views show the plain road a texture the bank cannot use leaves; the tool also
// names the texture on stderr.
TEST(RenderCommand, AnUnusableTextureIsNamed) {
    TempDir dir;
    ASSERT_EQ(Cli(dir, "render " + Sample +
                           " out.bmp --view perspective --mode texture --texture none.bmp"),
              0);
    EXPECT_NE(ReadText(dir.File(".stderr")).find("none.bmp: not a usable texture"),
              std::string::npos);
}
