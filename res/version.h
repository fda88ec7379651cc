// The product's version: the one place it is written.
#pragma once
#define PLACARD_VERSION_MAJOR 1
#define PLACARD_VERSION_MINOR 0
#define PLACARD_VERSION_PATCH 0
#define PLACARD_VERSION_STRING "1.0.0"
#define PLACARD_PRODUCT_NAME "Placard"
