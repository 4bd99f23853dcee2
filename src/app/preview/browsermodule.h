#pragma once

#include "app/preview/previewwindow.h"

// Makes the program's browser for PreviewWindow: loads the web engine module
// (brisklet_webengine, where ModuleFolders() say) on
// the first call. Without the module the window says so and offers the
// default browser.
PreviewWindow::BrowserFactory BrowserModuleFactory();

// Whether the engine of this process keeps its pages in its sandbox. It is
// decided on the first call, before the engine starts: where the sandbox
// cannot start (as root, or without user namespaces) the engine would end
// the whole program, so it is told to run without.
bool EngineSandboxed();
