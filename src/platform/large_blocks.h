#pragma once
// Large blocks of memory (a photo's pixels, a file read whole, its halved
// copies) go back to the system as soon as they are freed. By default the C
// library raises the size it maps such blocks from after the first one is
// freed, so that the next photo's file buffer comes from the heap and stays
// resident after it is freed: each photo opened would stack on the last one's
// leftovers. Call once at start-up, before any thread is started.
void ReturnLargeBlocksWhenFreed();

