// Allocation failures on demand for the code under test. A test program that
// links `failingalloc` has its calls of calloc routed through here (the
// linker's --wrap), so a test can make the n-th next calloc return null.
#pragma once

// Let `successes` more callocs succeed, then fail every one after them until
// callocSucceedAlways is called. Counts only calls from linked static code.
void callocFailAfter(int successes);
void callocSucceedAlways();
// Number of callocs that returned a block since the last call of either.
int callocCount();
// Number of blocks from calloc not yet passed to free.
int callocBlocksLive();
