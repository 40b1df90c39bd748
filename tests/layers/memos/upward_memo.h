// A memo header that reaches up into the tick beside what it may use: the layer check must
// name the one and pass the others.
#pragma once

#include "macro/date_time.h"
#include "memos/memo.h"
#include "tick/heartbeat.h"
