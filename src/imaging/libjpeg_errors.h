#pragma once
// libjpeg ends a fatal error in error_exit, which must not return: the
// handler here jumps back to the setjmp of the caller, which then gives up on
// the picture, and the program keeps running. Warnings (a file cut short, a
// stray byte) change nothing the caller acts on and are not printed.
//
// The frame that calls setjmp, and everything libjpeg calls back into, must
// hold no object with a destructor: the jump would skip it.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

struct LibjpegErrorJump {
    jpeg_error_mgr manager; // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
};

// Sets `error` up and returns the pointer to give a compressor or
// decompressor as its `err`.
jpeg_error_mgr* installErrorJump(LibjpegErrorJump& error);

// Leaves through the jump of the error handler `info` was given.
[[noreturn]] void jumpBack(j_common_ptr info);
