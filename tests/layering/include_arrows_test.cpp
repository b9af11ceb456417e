// The arrows between the project's layers, read from every quoted include of every source and header: the
// program (app/) may include the front ends, the window layer and the engine; a front end (frontends/qt,
// frontends/win32) the window layer and the engine but not the other front end; the window layer (window/)
// the engine; the engine (layout/) only itself. An include against them fails with its file and line, as a
// compiler names an error, whether it is spelled from the project's root or with "..".
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path root = BRELVIX_SOURCE_DIR;

struct Layer {
    std::string_view folder;
    std::string_view name;
    // A layer may include its own folder and any layer of a lower rank.
    int rank;
};

constexpr Layer layers[] = {
    {"layout/", "the engine", 0},
    {"window/", "the window layer", 1},
    {"frontends/qt/", "the Qt front end", 2},
    {"frontends/win32/", "the Win32 front end", 2},
    {"app/", "the program", 3},
};

const Layer* layerOf(const fs::path& relative) {
    const auto found = std::find_if(std::begin(layers), std::end(layers), [&relative](const Layer& layer) {
        return relative.generic_string().starts_with(layer.folder);
    });
    return found != std::end(layers) ? found : nullptr;
}

// Why `file` (relative to the root) may not include `spelling`, or nothing where it may. The include is found
// as the compiler finds it, beside the file first and then from the root; one that names no file of the tree
// the compiler refuses by itself.
std::optional<std::string> againstTheArrows(const fs::path& file, const std::string& spelling) {
    for (const fs::path& base : {root / file.parent_path(), root}) {
        const fs::path target = (base / spelling).lexically_normal();
        if (!fs::exists(target)) {
            continue;
        }
        const Layer& from = *layerOf(file);
        const Layer* to = layerOf(target.lexically_relative(root));
        if (to == nullptr) {
            return std::string(from.name) + " may include no file outside the layers";
        }
        if (to->folder != from.folder && to->rank >= from.rank) {
            return std::string(from.name) + " may not include " + std::string(to->name);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

TEST(IncludeArrows, NoIncludeOfTheProjectGoesAgainstThem) {
    for (const Layer& layer : layers) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / layer.folder)) {
            const fs::path file = entry.path().lexically_relative(root);
            if (file.extension() != ".h" && file.extension() != ".cpp") {
                continue;
            }
            std::ifstream source(entry.path());
            std::string line;
            for (int number = 1; std::getline(source, line); ++number) {
                // Blanks may stand anywhere in a directive, and none in the project's paths.
                std::erase_if(line, [](char c) { return c == ' ' || c == '\t'; });
                const std::size_t close = line.find('"', 9);
                if (!line.starts_with("#include\"") || close == std::string::npos) {
                    continue;
                }
                const std::string spelling = line.substr(9, close - 9);
                if (const auto why = againstTheArrows(file, spelling)) {
                    ADD_FAILURE() << file.generic_string() << ':' << number << ": includes \"" << spelling
                                  << "\": " << *why;
                }
            }
        }
    }
}

// The check itself: each spelling of a wrong-way include is caught, and the includes the arrows allow are
// not.
TEST(IncludeArrows, AreTellingEverySpellingAgainstThemFromThoseAlongThem) {
    const struct {
        const char* file;
        const char* spelling;
        std::optional<std::string> why;
    } rows[] = {
        {"layout/query_layout.cpp", "window/form1.h", "the engine may not include the window layer"},
        {"layout/query_layout.cpp", "../window/app_version.h", "the engine may not include the window layer"},
        {"window/form1.cpp", "frontends/qt/form1_widget.h",
         "the window layer may not include the Qt front end"},
        {"frontends/qt/form1_widget.cpp", "frontends/win32/form1_window.h",
         "the Qt front end may not include the Win32 front end"},
        {"frontends/qt/form1_widget.cpp", "tests/window/probe_layout.h",
         "the Qt front end may include no file outside the layers"},
        {"window/form1.cpp", "form1.h", std::nullopt},
        {"window/layout_engine.cpp", "layout/query_layout.h", std::nullopt},
        {"frontends/win32/form1_window.h", "window/form1_design.h", std::nullopt},
        {"app/win32_main.cpp", "frontends/win32/run_brelvix.h", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(againstTheArrows(row.file, row.spelling), row.why)
            << row.file << " including " << row.spelling;
    }
}

} // namespace
