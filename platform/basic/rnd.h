#pragma once
// The runtime's random numbers: a 24-bit linear congruential generator,
// x = (x * 0x43FD43FD + 0xC39EC3) mod 2^24, giving x / 2^24. A program that
// seeds it the same way gets the same sequence.

namespace vb {

// The next number in [0, 1). A negative argument first reseeds from the
// bits of the argument (so Rnd(-1) always starts the same sequence); 0
// repeats the last number.
float Rnd(float number = 1.0f);

// Mixes the seed with the timer, or with `number`. Only the middle bits of
// the state change, so Rnd(-1) before Randomize(n) is what repeats a
// sequence.
void Randomize();
void Randomize(double number);

}  // namespace vb
