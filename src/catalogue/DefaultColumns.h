#pragma once

#include "catalogue/FileCatalogue.h"

/// Adds the nine columns of the file list, in the order the main window adds
/// them (name, size, type, attributes, extension, folder, created, modified,
/// accessed), titled from the string table, each with no width of its own
/// (-1); size is right-aligned, the others left.
void AddDefaultColumns(CFileCatalogue& catalogue);
