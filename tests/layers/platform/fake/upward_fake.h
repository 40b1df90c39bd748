// A platform fake that reaches up into the core: the layer check must name it.
#pragma once

#include "platform/kernel.h"
#include "store/registry_store.h"
