#pragma once

// Random numbers for placing obstacles and shaping lightning. One generator serves the whole
// process: it is seeded once from the system's random device, so no two sessions are alike,
// and a draw costs a few nanoseconds instead of a device read and a generator set-up.

// Makes the numbers that follow repeat from a fixed point, so that two runs of a benchmark or of
// the scene capture meet the same obstacle field and the same bolts and can be compared. The
// game itself never calls it: no two games are alike.
void replayRandomSequence(unsigned int sequenceStart);
// A whole number in [a, b], both ends included.
int randomInt(int a, int b);
// A real number in [a, b), drawn in double precision and returned as float.
float randomFloat(float a, float b);
