// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a module of its own: the executable loads it only for an
// interactive run, so that a batch run starts without Qt's Gui and Widgets
// libraries and the many libraries they bring.
#include "ui/InteractiveRun.h"

extern "C" __attribute__((visibility("default"))) int NrRunInteractive(CRenameApp& app, int& argc,
                                                                       char** argv) {
    return RunInteractive(app, argc, argv);
}
