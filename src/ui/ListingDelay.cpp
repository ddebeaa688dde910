// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListingDelay.h"

#include <QThread>
#include <QtGlobal>

#include <algorithm>

void WaitListingDelay() {
    static const int delay =
        std::clamp(qEnvironmentVariableIntValue("NR_LISTING_DELAY_MS"), 0, 1000);
    if (delay > 0) {
        QThread::msleep(static_cast<unsigned long>(delay));
    }
}
