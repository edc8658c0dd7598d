// Programs that redraw long lines keep the memory they free for the next
// redraw: each redraw allocates and frees the same megabytes (gridding, the
// surface, the picture), and handing them back to the system after every
// one costs page faults on the next. Called once at start.
#pragma once

#include <malloc.h>

inline void KeepFreedMemoryForRedraws()
{
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
}
