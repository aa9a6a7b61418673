#pragma once

// The recharge file's text records: the reader that loads them into the
// model and the writer that builds them back from it, both by the one
// table of field positions (layoutregistros.h).

#include "recharge/camposregistro.h"
#include "recharge/escritorrecarga.h"
#include "recharge/layoutregistros.h"
#include "recharge/leitorrecarga.h"
