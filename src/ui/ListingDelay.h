// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/// A hook for the black-box window tests: NR_LISTING_DELAY_MS=n makes every
/// folder of a recursive listing take n ms more (at most a second), as on a
/// slow network share. Those tests cancel a listing through the
/// accessibility bus, which a local listing outruns. Without the variable
/// (or with 0) nothing waits. The variable is read once per run.
void WaitListingDelay();
