// A memo header that reaches up into the clock beside what it may use: the layer check must
// name the one and pass the others.
#pragma once

#include "clock/heartbeat.h"
#include "macro/date_time.h"
#include "memos/memo.h"
