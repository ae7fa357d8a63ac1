// text: parsing of key=value lines and lists, number reading and writing, string
// helpers, folder/name splitting and the numbered names of backups.
#pragma once

#include "text/blanks.h"
#include "text/file_names.h"
#include "text/fortran_format.h"
#include "text/key_value.h"
#include "text/number_read.h"
#include "text/strings.h"
#include "text/value_format.h"
#include "text/versions.h"
