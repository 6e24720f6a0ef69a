#pragma once

// Random draws for placing obstacles and shaping lightning. One generator serves the whole
// process: it is seeded once from the system's random device, so no two sessions are alike,
// and a draw costs a few nanoseconds instead of a device read and a generator set-up.

// A whole number in [a, b], both ends included.
int randomInt(int a, int b);
// A real number in [a, b), drawn in double precision and returned as float.
float randomFloat(float a, float b);
