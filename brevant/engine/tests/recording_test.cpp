#include "live_fixture.h"
