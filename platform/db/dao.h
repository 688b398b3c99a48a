#pragma once
// The database engine: Database, Recordset, Field and the data control.
#include "data_control.h"
#include "database.h"
#include "field_type.h"
#include "recordset.h"
