// The speeds' former header, kept while src/settings still includes it by that name.
#pragma once

#include "output/ScrollPositions.h"
