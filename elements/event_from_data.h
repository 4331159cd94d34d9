// TKNEventFromData: a place in the schematic with no behaviour of its own in
// this program; it is only created and destroyed.
#pragma once

#include "elements/element.h"

class TKNEventFromData : public TKNElement {};
