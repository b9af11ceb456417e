// The names screen readers announce for the window's controls, given through Microsoft Active Accessibility's
// Dynamic Annotation: the standard controls keep their own accessible objects, and only their names change.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <string_view>
#include <vector>

namespace brelvix {

class AccessibleNames {
public:
    // Finds the annotation service in the thread's COM apartment, which the program joins at its start.
    AccessibleNames();
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    // Gives `control` the name a screen reader says for it. Where the system offers no annotation service the
    // control keeps the name Windows derives for it, and the window works as before.
    void name(HWND control, std::u16string_view name);

    // Takes back every name given, as the controls go.
    void clear();

private:
    struct Releaser {
        void operator()(IUnknown* object) const { object->Release(); }
    };

    std::unique_ptr<IAccPropServices, Releaser> services_;
    std::vector<HWND> named_;
};

} // namespace brelvix
