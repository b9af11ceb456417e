// Dynamic Annotation of the controls' names through IAccPropServices, as Microsoft documents it for standard
// controls whose text is no good name: an edit box has none, and the buttons' full-width letters read badly.
#include "frontends/win32/accessible_names.h"

#include "frontends/win32/windows_error.h"

#include <string>

namespace brelvix {

AccessibleNames::AccessibleNames() {
    // S_FALSE: the thread had already joined; each successful call is matched by CoUninitialize.
    joinedApartment_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    IAccPropServices* services = nullptr;
    if (joinedApartment_ &&
        SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                   reinterpret_cast<void**>(&services)))) {
        services_.reset(services);
    }
}

AccessibleNames::~AccessibleNames() {
    clear();
    services_.reset();
    if (joinedApartment_) {
        CoUninitialize();
    }
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
