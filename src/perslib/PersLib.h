#pragma once

// The Persian calendar and number-words library, for callers that use all of it.
#include "perslib/Conversion.h"
#include "perslib/Currency.h"
#include "perslib/DigitGrouping.h"
#include "perslib/Drives.h"
#include "perslib/JalaliCalendar.h"
#include "perslib/JalaliDate.h"
#include "perslib/NumberWords.h"
#include "perslib/TimeOfDay.h"
