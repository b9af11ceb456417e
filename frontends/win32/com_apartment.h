// The user-interface thread's COM apartment, joined once for as long as the program runs.
#pragma once

#include <windows.h>

#include <objbase.h>

namespace brelvix {

// Joins the calling thread to a single-threaded apartment, as the thread of a window must be for the services
// its window uses (the screen-reader names), and leaves it again when it goes. OLE 1's DDE is left out, as
// Microsoft advises for every program that does not need it. A thread that cannot join runs without those
// services.
class ComApartment {
public:
    ComApartment()
        : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (joined_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool joined_;
};

} // namespace brelvix
