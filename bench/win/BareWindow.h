#pragma once
// Class and caption of the bare window program, the floor of the size and start-up
// benchmarks. The start-up timer finds its window by these.
#define BENCH_BARE_CLASS "BenchBareWindow"
#define BENCH_BARE_CAPTION "Bare Win32 window"
