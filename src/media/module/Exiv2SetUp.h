// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/// Sets Exiv2 up once for the whole process, before its first use: its
/// messages muted (a reader never shows one) and ISO-BMFF (HEIF, AVIF, CR3,
/// JPEG XL containers) switched on.
void SetUpExiv2();
