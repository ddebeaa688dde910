#include "engine/Crc32.h"
