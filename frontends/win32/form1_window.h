// Form1 as a native Win32 window: the fixed window built from Form1's design at the monitor's DPI, which
// hands each click to the procedures and gives them its controls through Form1Controls.
#pragma once

#include "frontends/win32/accessible_names.h"
#include "window/form1.h"
#include "window/form1_design.h"

#include <windows.h>

#include <array>
#include <memory>
#include <type_traits>

namespace brelvix {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// Whether the user has a contrast theme on (SPI_GETHIGHCONTRAST); a test asks a stand-in, as Wine has none.
using ContrastThemeQuery = bool (*)();
bool contrastThemeIsOn();

class Form1Window final : public Form1Controls {
public:
    // Creates the window, hidden, with its controls as laid out; throws a WindowsError when Windows refuses.
    explicit Form1Window(HINSTANCE instance, ContrastThemeQuery contrastTheme = contrastThemeIsOn);
    ~Form1Window() override;
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;

    // Null once the window has been unloaded.
    HWND handle() const { return window_; }
    HWND control(TextBox box) const;
    HWND control(CommandButton button) const;

    // Routes the clicks of the buttons to procedures for as long as it lives; without one a click does
    // nothing.
    class Connection {
    public:
        Connection(Form1Window& window, Form1& procedures);
        ~Connection();
        Connection(const Connection&) = delete;
        Connection& operator=(const Connection&) = delete;

    private:
        Form1Window& window_;
    };

    // The procedures hold the window, so they are made after it and go before it: the connection goes first,
    // so that nothing the window's end sends reaches procedures that are gone.
    [[nodiscard]] Connection connect(Form1& procedures) { return Connection(*this, procedures); }

    // Shows the window centred on its monitor's work area, with the focus in Text1: minimised where the start
    // asks for it, but never maximised, as the window has one size.
    void show(int showCommand);

    // Handles a message taken from the thread's queue: the window's share first, then translation and
    // dispatch, which the window's share may make unneeded.
    void dispatch(MSG& message);

    std::u16string text(TextBox box) const override;
    void setText(TextBox box, std::u16string_view text) override;
    void setEnabled(CommandButton button, bool enabled) override;
    std::u16string caption() const override;
    void setCaption(std::u16string_view caption) override;
    void reportError(std::u16string_view description) override;
    void unload() override;

private:
    // Tab between the controls, access keys with Alt only, and Enter and Esc clicking no button. True when
    // the message has been dealt with in full.
    bool handleKeyboard(MSG& message);
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void onCommand(int id);
    LRESULT onEditColour(HDC dc, HWND box);
    void onDpiChanged(UINT dpi, const RECT& suggested);
    void onSettingChange(WPARAM setting);
    // Takes the user's contrast theme again, and repaints the boxes in the colours it asks for.
    void takeContrastTheme();
    void onEndSession(bool ending);
    bool onActivate(bool active);
    void onDestroy();

    void moveFocus(HWND from, bool backwards);
    void createControls(HINSTANCE instance);
    void createBox(HINSTANCE instance, const BoxDesign& design);
    void createButton(HINSTANCE instance, const ButtonDesign& design);
    // The controls' places, the fonts and the icons of `dpi`; the window's own size is the caller's.
    void applyDpi(UINT dpi);
    void applyFonts(UINT dpi);
    void applyIcons(UINT dpi);
    // The height inside the smallest one-line box, which a line of the boxes' font must fit.
    int oneLineRoom() const;
    bool isButton(HWND control) const;
    bool isBox(HWND control) const;
    // Shows the focus rectangles or access-key underlines that Windows hides until the keyboard is used.
    void showKeyboardCues(WORD cues);
    void deleteWordBeforeCaret(HWND box);

    HINSTANCE instance_;
    HWND window_ = nullptr; // destroyed by unload, or with this object
    std::array<HWND, 3> boxes_{};
    std::array<HWND, 6> buttons_{};
    UniqueFont buttonFont_;
    UniqueFont boxFont_;
    std::array<UniqueBrush, 3> boxBrushes_;
    UniqueIcon smallIcon_;
    UniqueIcon largeIcon_;
    AccessibleNames accessibleNames_;
    ContrastThemeQuery contrastTheme_;
    bool inContrastTheme_ = false;
    Form1* procedures_ = nullptr;
    HWND focusWhileInactive_ = nullptr;
};

} // namespace brelvix
