#pragma once

// The suite's exception family, its escalation, and the engine's model records.
#include "core/Escalation.h"
#include "core/Exceptions.h"
#include "core/ModelRecords.h"
