// Build-time tool: writes the Windows .ico from the window's icon source, so that the program file's icon
// never drifts from the icon its window shows. Standard library only, so that it builds wherever the program
// does. Usage: brelvix_write_ico OUTPUT_FILE SIZE...
#include "packaging/icon_image.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace {

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    // Written whole or not at all, so an interrupted build leaves no truncated icon that looks up to date.
    std::error_code error;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), error);
    }
    std::filesystem::path partial = path;
    partial += ".part";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::fprintf(stderr, "brelvix_write_ico: cannot write %s\n", partial.string().c_str());
            std::error_code ignored;
            std::filesystem::remove(partial, ignored);
            return false;
        }
    }
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::fprintf(stderr, "brelvix_write_ico: cannot replace %s: %s\n", path.string().c_str(),
                     error.message().c_str());
        std::filesystem::remove(partial, error);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: brelvix_write_ico OUTPUT_FILE SIZE...\n");
        return 2;
    }
    try {
        const brelvix::IconImage source = brelvix::sourceIcon();
        std::vector<brelvix::IconImage> renditions;
        for (int i = 2; i < argc; ++i) {
            int size = 0;
            const char* const end = argv[i] + std::strlen(argv[i]);
            const auto [stop, error] = std::from_chars(argv[i], end, size);
            if (error != std::errc{} || stop != end || size <= 0 || size % source.width != 0 ||
                size > brelvix::largestIcoSide) {
                std::fprintf(stderr,
                             "brelvix_write_ico: size %s is not a whole multiple of %d up to %d; other sizes "
                             "would blur the pixel art\n",
                             argv[i], source.width, brelvix::largestIcoSide);
                return 2;
            }
            renditions.push_back(brelvix::pixelScaled(source, size / source.width));
        }
        return writeFile(argv[1], brelvix::icoFile(renditions)) ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brelvix_write_ico: %s\n", error.what());
        return 1;
    }
}
