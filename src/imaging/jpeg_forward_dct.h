#pragma once
// libjpeg's two integer forward transforms of an 8×8 block, to the bit: the
// accurate one (its outputs eight times the true transform) and the fast one
// (its outputs scaled per coefficient by the factors its quantisation
// divisors carry). In and out in natural (row by row) order; the samples go
// in less 128.
#include <cstdint>

void ForwardDctAccurate(std::int16_t block[64]);
void ForwardDctFast(std::int16_t block[64]);
