#pragma once
// Data files written by the tests themselves, laid out as each processed format lays out a
// pattern. Point i of every sample: two-theta 10 + 0.02 i degrees, counts 100 + i, third value
// 1 + (i % 100) / 2. The block formats end without a final line end, as their writers do.

#include <string>

float sampleCts(int i);
float sampleSig(int i);

std::string xySample(int points);
std::string wyrSample(int points);
std::string datSample(int points);
std::string gdaSample(int points);

// The BANK line of a constant-step bank of `points` points from 10 degrees at 0.02 degree.
std::string gdaBankLine(int points, int records);
