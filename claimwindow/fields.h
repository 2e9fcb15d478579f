// The field table is the engine's (engine/claim_fields.h): the form, the case
// file and the report take it from there.
#ifndef GONGSHANG_CLAIMWINDOW_FIELDS_H_
#define GONGSHANG_CLAIMWINDOW_FIELDS_H_

#include "engine/claim_fields.h"

#endif  // GONGSHANG_CLAIMWINDOW_FIELDS_H_
