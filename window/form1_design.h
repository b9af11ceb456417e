// Form1 as laid out, written once for every front end: the window's size and titles, each control's place
// in twips, caption or starting text, colours, accessible name and tab order, and the buttons' font. Each
// front end builds its window by walking this table, so that the windows of two toolkits cannot drift apart.
#pragma once

#include "window/form1_controls.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

namespace brelvix {

// A place in twips, 1,440 to the inch, measured from the top-left corner of the window's client area.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

// The pixels that `twips` make at `dpi` dots per inch, rounded toward zero. Windows places controls in whole
// device pixels at the monitor's DPI, so it asks at that DPI (661 × 529 at 96, 991 × 793 at 144). Qt lays out
// in device-independent pixels and scales them itself, so it asks at 96, where every designed value, being a
// multiple of 15 twips, is a whole number of pixels and nothing is rounded.
constexpr int twipsToPixels(int twips, int dpi) {
    return static_cast<int>(static_cast<long long>(twips) * dpi / 1440);
}

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

struct BoxDesign {
    TextBox box;
    std::u16string_view name;
    TwipsRect place;
    // Multi-line with both scroll bars and no wrapping; otherwise a single line.
    bool multiLine;
    std::u16string_view text;
    Rgb textColour;
    Rgb background;
    // What a screen reader calls the box, which shows no label of its own.
    std::u16string_view accessibleName;
};

struct ButtonDesign {
    CommandButton button;
    std::u16string_view name;
    TwipsRect place;
    // "&" marks the access key, which Alt with the letter after it presses.
    std::u16string_view caption;
    // What screen readers and voice control call the button: its caption in plain letters, which voice
    // control matches against the words the user says, and where the caption's spelling misleads, what the
    // button does.
    std::u16string_view accessibleName;
};

struct FontDesign {
    // In the order tried: the Windows family, then Japanese fonts that carry the full-width letters where
    // Windows' own is missing.
    std::array<std::u16string_view, 5> families;
    double pointSize;
    int weight;
    // A Windows character set; 128 is Shift-JIS.
    int characterSet;
};

using TabStop = std::variant<TextBox, CommandButton>;

struct Form1Design {
    // The caption before Form_Load appends the version; its last character is a blank.
    std::u16string_view title;
    std::u16string_view messageBoxTitle;
    int clientWidth;
    int clientHeight;
    std::array<BoxDesign, 3> boxes;      // in the order of TextBox
    std::array<ButtonDesign, 6> buttons; // in the order of CommandButton
    // The order in which Tab moves the focus; the first stop has the focus when the window is first shown.
    std::array<TabStop, 9> tabOrder;
    FontDesign buttonFont;
};

inline constexpr Rgb black{0, 0, 0};

// One control to a line reads as the table it is.
// clang-format off
inline constexpr Form1Design form1Design{
    .title = u"Brelvix for Access ",
    .messageBoxTitle = u"Brelvix",
    .clientWidth = 9915,
    .clientHeight = 7935,
    .boxes = {{
        {TextBox::Text1, u"Text1", {135,  180, 9645, 1545}, true,
         u"SELECT Field1, Field2 FROM Table1 WHERE Field1 = 1;", black, {255, 255, 255}, u"Source SQL"},
        {TextBox::Text2, u"Text2", {135, 1800, 9645, 5100}, true,
         u"",                                                    black, {  0, 255,   0}, u"Laid-out SQL"},
        {TextBox::Text3, u"Text3", {135, 7020, 9645,  270}, false,
         u"strSQL = strSQL & \"",                                black, {255, 255,   0}, u"Line prefix"},
    }},
    .buttons = {{
        {CommandButton::Command1, u"Command1", {1755, 7425, 1545, 375}, u"Ａｄｊｕｓｔ (&A)",
         u"Adjust (A)"},
        {CommandButton::Command2, u"Command2", { 135, 7425, 1545, 375}, u"Ｐａｓｔ ＣｌｉｐＢｏｒｄ (&V)",
         u"Past ClipBord (V), paste from the clipboard"},
        {CommandButton::Command3, u"Command3", {3375, 7425, 1545, 375}, u"Ｃｏｐｙ ＣｌｉｐＢｏｒｄ (&C)",
         u"Copy ClipBord (C), copy to the clipboard"},
        {CommandButton::Command4, u"Command4", {8235, 7425, 1545, 375}, u"Ｅｘｉｔ (&X)",
         u"Exit (X)"},
        {CommandButton::Command5, u"Command5", {4995, 7425, 1545, 375}, u"Ｃｌｅａｒ (&E)",
         u"Clear (E)"},
        {CommandButton::Command6, u"Command6", {6615, 7425, 1545, 375}, u"Add String (&S)",
         u"Add String (S)"},
    }},
    .tabOrder = {TextBox::Text1, CommandButton::Command1, CommandButton::Command2, CommandButton::Command3,
                 CommandButton::Command4, TextBox::Text2, CommandButton::Command5, CommandButton::Command6,
                 TextBox::Text3},
    .buttonFont = {{u"ＭＳ Ｐゴシック", u"MS PGothic", u"IPAPGothic", u"Noto Sans CJK JP", u"VL PGothic"},
                   8.25, 400, 128},
};
// clang-format on

// designOf finds an entry by its position.
static_assert([] {
    for (std::size_t i = 0; i < form1Design.boxes.size(); ++i) {
        if (form1Design.boxes[i].box != static_cast<TextBox>(i)) {
            return false;
        }
    }
    for (std::size_t i = 0; i < form1Design.buttons.size(); ++i) {
        if (form1Design.buttons[i].button != static_cast<CommandButton>(i + 1)) {
            return false;
        }
    }
    return true;
}());

// What must hold of the design whatever its figures, checked as it is compiled.
namespace design_checks {

constexpr int margin = 135;

constexpr std::array<TwipsRect, 9> allPlaces() {
    std::array<TwipsRect, 9> places{};
    std::size_t next = 0;
    for (const BoxDesign& box : form1Design.boxes) {
        places[next++] = box.place;
    }
    for (const ButtonDesign& button : form1Design.buttons) {
        places[next++] = button.place;
    }
    return places;
}

constexpr bool overlap(const TwipsRect& a, const TwipsRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

// Inside the margins of the client area, clear of each other, and in whole pixels at 96 DPI.
constexpr bool controlsStandApartInsideTheMarginsInWholePixels() {
    const auto places = allPlaces();
    for (std::size_t i = 0; i < places.size(); ++i) {
        const TwipsRect& place = places[i];
        if (place.left < margin || place.left + place.width > form1Design.clientWidth - margin ||
            place.top + place.height > form1Design.clientHeight - margin) {
            return false;
        }
        for (const int twips : {place.left, place.top, place.width, place.height}) {
            if (twips % 15 != 0) {
                return false;
            }
        }
        for (std::size_t j = i + 1; j < places.size(); ++j) {
            if (overlap(place, places[j])) {
                return false;
            }
        }
    }
    return true;
}

// One row of equal buttons with one equal gap, spanning exactly the width of the boxes above it.
constexpr bool buttonsFormOneEvenRowAcrossTheBoxesWidth() {
    std::array<TwipsRect, 6> row{};
    for (std::size_t i = 0; i < row.size(); ++i) {
        row[i] = form1Design.buttons[i].place;
    }
    std::sort(row.begin(), row.end(), [](const TwipsRect& a, const TwipsRect& b) { return a.left < b.left; });
    const TwipsRect& box = form1Design.boxes[0].place;
    const int gap = row[1].left - (row[0].left + row[0].width);
    for (std::size_t i = 1; i < row.size(); ++i) {
        if (row[i].top != row[0].top || row[i].width != row[0].width || row[i].height != row[0].height ||
            row[i].left - (row[i - 1].left + row[i - 1].width) != gap) {
            return false;
        }
    }
    return row.front().left == box.left && row.back().left + row.back().width == box.left + box.width;
}

// Voice control finds a button by the words on it: its accessible name begins with its caption in plain
// letters, the full-width ones folded to ASCII and the access key's "&" dropped.
constexpr bool nameBeginsWithPlainCaption(std::u16string_view name, std::u16string_view caption) {
    std::size_t next = 0;
    for (const char16_t unit : caption) {
        if (unit == u'&') {
            continue;
        }
        const char16_t plain =
            unit >= u'\uFF01' && unit <= u'\uFF5E' ? static_cast<char16_t>(unit - 0xFEE0) : unit;
        if (next == name.size() || name[next++] != plain) {
            return false;
        }
    }
    return true;
}

constexpr bool everyButtonIsNamedByItsCaption() {
    for (const ButtonDesign& button : form1Design.buttons) {
        if (!nameBeginsWithPlainCaption(button.accessibleName, button.caption)) {
            return false;
        }
    }
    return true;
}

} // namespace design_checks

static_assert(design_checks::controlsStandApartInsideTheMarginsInWholePixels());
static_assert(design_checks::buttonsFormOneEvenRowAcrossTheBoxesWidth());
static_assert(design_checks::everyButtonIsNamedByItsCaption());

constexpr const BoxDesign& designOf(TextBox box) {
    return form1Design.boxes[static_cast<std::size_t>(box)];
}

constexpr const ButtonDesign& designOf(CommandButton button) {
    return form1Design.buttons[static_cast<std::size_t>(button) - 1];
}

} // namespace brelvix
