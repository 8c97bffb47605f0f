// JSON forms of the fitting record, its curve blocks and the hearing-aid database.
#pragma once

#include "cli/json.h"
#include "model/fittingrecord.h"

// The fields of a curve block, each under its name, into the open object.
void writeCurveFields(JsonWriter& json, const CurveParams& curve);

// Every field of the record in storage order (padding left out), as one object.
void writeRecordJson(JsonWriter& json, const FittingRecord& record);

// {"aidLongNames": [6], "aidShortNames": [6], "aidData": [[6 x 8 fields] x 6]}
void writeDatabaseJson(JsonWriter& json, const AidDatabase& database);
