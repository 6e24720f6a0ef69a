#pragma once

// Random draws for placing obstacles and shaping lightning. One generator serves the whole
// process: it is seeded once from the system's random device, so no two sessions are alike,
// and a draw costs a few nanoseconds instead of a device read and a generator set-up.

// Starts the draws over from a chosen value, so that two runs of a benchmark or of the scene
// capture meet the same obstacle field and the same bolts and can be compared. The game itself
// never calls it: no two games are alike.
void restartRandomDraws(unsigned int startingValue);
// A whole number in [a, b], both ends included.
int randomInt(int a, int b);
// A real number in [a, b), drawn in double precision and returned as float.
float randomFloat(float a, float b);
