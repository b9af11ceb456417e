// The Win32 window's tests run on a thread in COM's single-threaded apartment, as the program's own does.
#include "frontends/win32/com_apartment.h"

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    const brelvix::ComApartment apartment;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
