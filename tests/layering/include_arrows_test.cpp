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

struct Layer {
    std::string_view folder;
    std::string_view name;
    // A layer may include its own folder and any layer of a lower rank.
    int rank;
};

constexpr Layer layers[] = {
    {"layout", "the engine", 0},
    {"window", "the window layer", 1},
    {"frontends/qt", "the Qt front end", 2},
    {"frontends/win32", "the Win32 front end", 2},
    {"app", "the program", 3},
};

std::optional<Layer> layerOf(const fs::path& relative) {
    const std::string path = relative.generic_string();
    for (const Layer& layer : layers) {
        if (path.starts_with(std::string(layer.folder) + '/')) {
            return layer;
        }
    }
    return std::nullopt;
}

// Where the compiler finds a quoted include: beside the including file first, then from the project's root.
// Empty when it names no file of the tree, which the compiler itself then refuses.
fs::path resolve(const fs::path& root, const fs::path& includer, const std::string& spelling) {
    for (const fs::path& base : {includer.parent_path(), root}) {
        const fs::path candidate = (base / spelling).lexically_normal();
        if (fs::exists(candidate)) {
            return candidate.lexically_relative(root);
        }
    }
    return {};
}

// The file a line includes in quotes, or nothing: `#include "window/form1.h"`, with blanks anywhere between.
std::optional<std::string> quotedInclude(std::string_view line) {
    const auto skipBlanks = [&line] {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
    };
    skipBlanks();
    if (!line.starts_with('#')) {
        return std::nullopt;
    }
    line.remove_prefix(1);
    skipBlanks();
    if (!line.starts_with("include")) {
        return std::nullopt;
    }
    line.remove_prefix(std::string_view("include").size());
    skipBlanks();
    const std::size_t close = line.find('"', 1);
    if (!line.starts_with('"') || close == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(line.substr(1, close - 1));
}

// One line per include against the arrows: "FILE:LINE: includes "SPELLING" (TARGET): WHY".
std::vector<std::string> includesAgainstTheArrows(const fs::path& root) {
    std::vector<std::string> violations;
    for (const Layer& layer : layers) {
        const fs::path folder = root / layer.folder;
        if (!fs::exists(folder)) {
            continue;
        }
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
            const fs::path extension = entry.path().extension();
            if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp")) {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            std::ifstream source(file);
            std::string line;
            for (int number = 1; std::getline(source, line); ++number) {
                const std::optional<std::string> include = quotedInclude(line);
                if (!include) {
                    continue;
                }
                const fs::path target = resolve(root, file, *include);
                if (target.empty()) {
                    continue;
                }
                const std::optional<Layer> included = layerOf(target);
                if (included && (included->folder == layer.folder || included->rank < layer.rank)) {
                    continue;
                }
                const std::string why =
                    included ? std::string(layer.name) + " may not include " + std::string(included->name)
                             : std::string(layer.name) + " may include no file outside the layers";
                violations.push_back(file.lexically_relative(root).generic_string() + ':' +
                                     std::to_string(number) + ": includes \"" + *include + "\" (" +
                                     target.generic_string() + "): " + why);
            }
        }
    }
    return violations;
}

TEST(IncludeArrows, NoIncludeOfTheProjectGoesAgainstThem) {
    for (const std::string& violation : includesAgainstTheArrows(BRELVIX_SOURCE_DIR)) {
        ADD_FAILURE() << violation;
    }
}

// The check itself, on a tree of its own: each spelling of a wrong-way include is caught, and the includes
// the arrows allow are not.
TEST(IncludeArrows, EverySpellingOfAWrongWayIncludeIsNamedWithItsFileAndLine) {
    const fs::path root = fs::path(BRELVIX_WORK_DIR) / "tree";
    fs::remove_all(root);
    const auto write = [&root](const std::string& path, const std::string& text) {
        fs::create_directories((root / path).parent_path());
        std::ofstream(root / path) << text;
    };
    for (const char* header : {"layout/query_layout.h", "window/form1.h", "frontends/win32/form1_window.h",
                               "frontends/qt/form1_widget.h", "packaging/icon.h"}) {
        write(header, "");
    }
    write("layout/query_layout.cpp", "#include \"layout/query_layout.h\"\n#include \"window/form1.h\"\n");
    write("layout/keyword_table.cpp", "#include <string>\n  #  include \"../window/form1.h\"\n");
    write("window/form1.cpp", "#include \"window/form1.h\"\n#include \"layout/query_layout.h\"\n"
                              "#include \"form1.h\"\n#include \"frontends/qt/form1_widget.h\"\n");
    write("frontends/qt/run.cpp",
          "#include \"frontends/win32/form1_window.h\"\n#include \"packaging/icon.h\"\n"
          "#include \"form1_widget.h\"\n#include \"layout/query_layout.h\"\n");
    write("app/main.cpp", "#include \"frontends/qt/form1_widget.h\"\n#include \"window/form1.h\"\n");

    const std::vector<std::string> expected = {
        "layout/keyword_table.cpp:2: includes \"../window/form1.h\" (window/form1.h): the engine may not "
        "include "
        "the window layer",
        "layout/query_layout.cpp:2: includes \"window/form1.h\" (window/form1.h): the engine may not include "
        "the "
        "window layer",
        "window/form1.cpp:4: includes \"frontends/qt/form1_widget.h\" (frontends/qt/form1_widget.h): the "
        "window "
        "layer may not include the Qt front end",
        "frontends/qt/run.cpp:1: includes \"frontends/win32/form1_window.h\" "
        "(frontends/win32/form1_window.h): the "
        "Qt front end may not include the Win32 front end",
        "frontends/qt/run.cpp:2: includes \"packaging/icon.h\" (packaging/icon.h): the Qt front end may "
        "include no "
        "file outside the layers",
    };
    EXPECT_EQ(includesAgainstTheArrows(root), expected);
    fs::remove_all(root);
}

} // namespace
