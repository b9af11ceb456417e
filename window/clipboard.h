// The system clipboard as the window's commands use it: plain text only, and every operation may fail.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace brelvix {

// A clipboard operation that could not be carried out; what() describes it for the user, in UTF-8.
class ClipboardError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // The clipboard's plain text; empty when it holds none.
    virtual std::u16string text() = 0;
    // Removes whatever the clipboard holds, in every format.
    virtual void clear() = 0;
    // Empties the clipboard and puts `text` on it as plain text, in one change of the clipboard, so that the
    // text is all it holds. Its line breaks are CR LF; an adapter hands them on in the platform's own
    // convention.
    virtual void setText(std::u16string_view text) = 0;
};

} // namespace brelvix
