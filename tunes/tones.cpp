#include "tones.h"

namespace {

constexpr std::int16_t kAmplitude = 6000;

}  // namespace

std::size_t RenderedSamples(const Tone* tones, std::size_t count) {
  return SampleAt(TuneMilliseconds(tones, count) + kSilenceMilliseconds);
}

void RenderTune(const Tone* tones, std::size_t count, std::int16_t* samples) {
  // The phase runs on across tone changes, as the speaker's timer does when only its divisor is
  // changed.
  double phase = 0;
  unsigned long elapsed = 0;
  std::size_t at = 0;
  for (std::size_t i = 0; i < count; ++i) {
    elapsed += tones[i].milliseconds;
    const double step = static_cast<double>(tones[i].frequency) / kSampleRate;
    for (const std::size_t end = SampleAt(elapsed); at < end; ++at) {
      samples[at] = phase < 0.5 ? kAmplitude : static_cast<std::int16_t>(-kAmplitude);
      phase += step;
      if (phase >= 1) phase -= 1;
    }
  }
  for (const std::size_t end = RenderedSamples(tones, count); at < end; ++at) samples[at] = 0;
}
