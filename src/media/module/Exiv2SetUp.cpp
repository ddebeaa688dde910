// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/module/Exiv2SetUp.h"

#include <exiv2/exiv2.hpp>

#include <mutex>

void SetUpExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::enableBMFF(true);
    });
}
