#include "CIdentityRecord.h"
