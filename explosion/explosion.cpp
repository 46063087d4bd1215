// The four-layer explosion.
#include "explosion/cvl_explosion.h"
