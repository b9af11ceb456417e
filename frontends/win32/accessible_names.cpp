// Dynamic Annotation of the controls' names through IAccPropServices, as Microsoft documents it for standard
// controls whose text is no good name: an edit box has none, and the buttons' full-width letters read badly.
// The service's class, interface and property ids are defined here, from oleacc.h itself, rather than taken
// from a toolchain's import library that may lack them.
#include <initguid.h>

#include "frontends/win32/accessible_names.h"

#include "frontends/win32/text_conversion.h"

#include <string>

namespace brelvix {

AccessibleNames::AccessibleNames() {
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                   reinterpret_cast<void**>(&services)))) {
        services_.reset(services);
    }
}

AccessibleNames::~AccessibleNames() {
    clear();
}

void AccessibleNames::name(HWND control, std::u16string_view name) {
    if (services_ == nullptr) {
        return;
    }
    const std::wstring text = toWide(name);
    if (SUCCEEDED(services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                            PROPID_ACC_NAME, text.c_str()))) {
        named_.push_back(control);
    }
}

void AccessibleNames::clear() {
    if (services_ != nullptr) {
        MSAAPROPID nameProperty = PROPID_ACC_NAME;
        for (const HWND control : named_) {
            services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &nameProperty,
                                      1);
        }
    }
    named_.clear();
}

} // namespace brelvix
