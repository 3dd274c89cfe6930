/* The one translation unit that includes the generated payload header R7716.h, which
   defines (not merely declares) the ten payload objects: xiflen, xif, enulen, enu,
   fptlen, fpt, fmtlen, fmt, typlen, typ. The arrays are initialised with values up to
   0xFF; this file is compiled with an unsigned plain char, so every value fits as is. */
#include "R7716.h"

/* A header generated while a source file was missing or unreadable lacks that file's
   objects; such a header must not be built into the tool. The build checks the header
   right after generating it; these assertions stop a header put here by other means. */
_Static_assert(sizeof xif > 0 && sizeof xiflen == sizeof(int), "R7716.h lacks xif/xiflen");
_Static_assert(sizeof enu > 0 && sizeof enulen == sizeof(int), "R7716.h lacks enu/enulen");
_Static_assert(sizeof fpt > 0 && sizeof fptlen == sizeof(int), "R7716.h lacks fpt/fptlen");
_Static_assert(sizeof fmt > 0 && sizeof fmtlen == sizeof(int), "R7716.h lacks fmt/fmtlen");
_Static_assert(sizeof typ > 0 && sizeof typlen == sizeof(int), "R7716.h lacks typ/typlen");
_Static_assert((char)0xFF > 0, "payload_data.c must be compiled with an unsigned plain char");
