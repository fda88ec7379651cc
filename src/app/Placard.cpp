// The one application object, constructed before entry.
#include "app/SignageApp.h"

CSignageApp theApp;
