// The system routines in one include: strings, conversions, numbers, random numbers, Format, file names, files and
// the command line.
#pragma once

#include "classlib/core/command_line.h"
#include "classlib/core/conversions.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/core/format.h"
#include "classlib/core/numbers.h"
#include "classlib/core/paths.h"
#include "classlib/core/random.h"
#include "classlib/core/string_utils.h"
