#include "shell/app.h"

App g_app;
