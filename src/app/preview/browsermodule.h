#pragma once

#include "tbrowseform.h"

// Makes the program's browser for TBrowseForm: loads the web engine module
// (brisklet_webengine, where ModuleFolders() say) on
// the first call. Without the module the window says so and offers the
// default browser.
TBrowseForm::BrowserFactory BrowserModuleFactory();
