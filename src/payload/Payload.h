#pragma once
// The five resource images compiled into the tool from the generated payload header R7716.h.
#include "core/install/ResourceImage.h"

namespace korva {

// The images in payload order (xif, enu, fpt, fmt, typ); fixed data for the life of the tool.
const Payload& EmbeddedPayload();

}  // namespace korva
