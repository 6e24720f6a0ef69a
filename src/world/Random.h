#pragma once

// Random draws for placing obstacles and shaping lightning. One generator serves the whole
// process: it is seeded once from the system's random device, so no two sessions are alike,
// and a draw costs a few nanoseconds instead of a device read and a generator set-up.

// Restarts the generator from a chosen seed: benchmarks and the scene capture use it so that
// their runs meet the same obstacle field and the same bolts, and can be compared.
void seedRandom(unsigned int seed);
// A whole number in [a, b], both ends included.
int randomInt(int a, int b);
// A real number in [a, b), drawn in double precision and returned as float.
float randomFloat(float a, float b);
