#include "cli/BundledTexture.h"

#include "platform/StartDirectory.h"

#include <filesystem>
#include <system_error>

std::string BundledTexture() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path data =
        error ? std::filesystem::path() : StartDirectory::DataDirectory(executable);
    if (!data.empty() && std::filesystem::exists(data / "Texture.bmp")) {
        return (data / "Texture.bmp").string();
    }
    return VELMORA_BUNDLED_TEXTURE;
}
