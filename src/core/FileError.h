#pragma once

// The file error type belongs to the file interface below the core; the core and everything above it keep
// including it from here.
#include "platform/FileError.h"
