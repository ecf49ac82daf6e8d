#pragma once

#include "core/core_api.h"
#include "core/foundation/archive.h"
#include "core/foundation/point.h"
#include "core/foundation/rect.h"
#include "core/foundation/vector.h"

// Stored forms of the value types: their fields in order, each in its primitive form. A URect is
// its four edges only. A URange is stored through the UVector2 form (min, then max); a colour as
// one 32-bit integer.
CORE_API UArchive& operator<<(UArchive& ar, const UPoint16& v);
CORE_API UArchive& operator<<(UArchive& ar, const UPoint& v);
CORE_API UArchive& operator<<(UArchive& ar, const URect& v);
CORE_API UArchive& operator<<(UArchive& ar, const UVector2& v);
CORE_API UArchive& operator<<(UArchive& ar, const UVector& v);

CORE_API UArchive& operator>>(UArchive& ar, UPoint16& v);
CORE_API UArchive& operator>>(UArchive& ar, UPoint& v);
CORE_API UArchive& operator>>(UArchive& ar, URect& v);
CORE_API UArchive& operator>>(UArchive& ar, UVector2& v);
CORE_API UArchive& operator>>(UArchive& ar, UVector& v);
