#include "core/disk/browser_names.h"

AppleBrowserNames g_browser;
