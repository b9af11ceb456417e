// The version numbers, taken from the build's project version.
#include "window/app_version.h"

namespace brelvix {

AppVersion applicationVersion() {
    return {BRELVIX_VERSION_MAJOR, BRELVIX_VERSION_MINOR, BRELVIX_VERSION_PATCH};
}

} // namespace brelvix
