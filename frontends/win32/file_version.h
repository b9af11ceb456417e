// The version numbers of the running program, read from its own file's version data.
#pragma once

#include "window/app_version.h"

namespace brelvix {

// Major, minor and revision as Explorer shows them in the file's properties; throws a WindowsError where
// the file cannot be read or holds no version data.
AppVersion readFileVersion();

} // namespace brelvix
