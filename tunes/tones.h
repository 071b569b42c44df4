// The two result tunes as tone sequences, and their rendering as one continuous square wave.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// One tone: a square wave of `frequency` hertz sounding for `milliseconds`.
struct Tone {
  unsigned frequency;
  unsigned milliseconds;
};

namespace tones_detail {

// One cycle of the siren: a held 500 Hz, a quick rise to 590, a held 600, a quick fall from 600
// to 520, a held 500.
constexpr void AppendAlarmCycle(Tone* tones, std::size_t& count) {
  tones[count++] = {500, 300};
  for (unsigned frequency = 500; frequency <= 590; frequency += 10) tones[count++] = {frequency, 9};
  tones[count++] = {600, 800};
  for (unsigned frequency = 600; frequency >= 520; frequency -= 10) tones[count++] = {frequency, 9};
  tones[count++] = {500, 500};
}

constexpr std::array<Tone, 44> MakeAlarm() {
  std::array<Tone, 44> tones{};
  std::size_t count = 0;
  AppendAlarmCycle(tones.data(), count);
  AppendAlarmCycle(tones.data(), count);
  return tones;
}

}  // namespace tones_detail

// Played when a map's unit data differs from the standard: the siren's cycle twice.
inline constexpr std::array<Tone, 44> kAlarmTune = tones_detail::MakeAlarm();

// Played when it does not: six rising tones.
inline constexpr std::array<Tone, 6> kHappyTune = {
    {{300, 300}, {400, 300}, {500, 500}, {600, 500}, {700, 500}, {800, 500}}};

// How long `count` tones play, in milliseconds.
constexpr unsigned TuneMilliseconds(const Tone* tones, std::size_t count) {
  unsigned total = 0;
  for (std::size_t i = 0; i < count; ++i) total += tones[i].milliseconds;
  return total;
}

template <std::size_t count>
constexpr unsigned TuneMilliseconds(const std::array<Tone, count>& tune) {
  return TuneMilliseconds(tune.data(), count);
}

inline constexpr unsigned kSampleRate = 44100;

// The quiet after the last tone, as when the speaker is switched off.
inline constexpr unsigned kSilenceMilliseconds = 50;

// The sample at which the tone starting `milliseconds` into the tune begins.
constexpr std::size_t SampleAt(unsigned long milliseconds) {
  return static_cast<std::size_t>((milliseconds * kSampleRate + 500) / 1000);
}

// How many samples RenderTune writes for `count` tones.
std::size_t RenderedSamples(const Tone* tones, std::size_t count);

// Writes the tones as one 16-bit mono square wave without a gap or a jump in phase between them,
// followed by silence.
void RenderTune(const Tone* tones, std::size_t count, std::int16_t* samples);
