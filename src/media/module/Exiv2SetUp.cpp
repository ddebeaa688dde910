// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/module/Exiv2SetUp.h"

#include <exiv2/exiv2.hpp>

#include <cstdlib>
#include <mutex>

void SetUpExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::enableBMFF(true);
        // Reading a file's XMP registers every namespace it names, and Exiv2
        // frees those names only when asked; its registry itself is torn down
        // at exit, so without this the names would outlive every pointer to
        // them. A handler registered now runs before Exiv2's own teardown.
        std::atexit([] { Exiv2::XmpProperties::unregisterNs(); });
    });
}
