// The two sounds: the menu music, one loop of a seamless cycle, and the
// short completion jingle. Mono 16-bit PCM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int SampleRate = 22050;

std::vector<int16_t> makeMenuMusic();
std::vector<int16_t> makeCompleteJingle();

// A standard RIFF/WAVE file of 16-bit mono PCM. False when it cannot be written.
bool writeWave(const std::string &path, const std::vector<int16_t> &samples);
