#pragma once

// Writes `value` as printf("%f") does in the C locale — six decimals, the exact binary
// value rounded half to even, a minus sign whenever the sign bit is set — without
// looking at the locale. Needs up to 318 characters (the longest double); returns the
// end of what it wrote.
char* FormatFixed6(char* first, char* last, double value);
