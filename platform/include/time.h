// The C library's time header with the run-time library's 64-bit time
// functions that Windows programs call.
#pragma once
// Stands in for the C library header, which it includes.
#pragma GCC system_header

#include_next <time.h>

typedef long long __time64_t;

#ifdef __cplusplus
extern "C" {
#endif

// Seconds since 1970 (UTC), also stored through destination when given.
__time64_t _time64(__time64_t* destination);
// Local calendar time of *time; EINVAL (every field -1) for a time before
// 1970 or after the year 3000, or a null argument.
int _localtime64_s(struct tm* result, const __time64_t* time);

#ifdef __cplusplus
}
#endif
