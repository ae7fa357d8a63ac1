#include "shell/records.h"
