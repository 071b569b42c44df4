#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tones.h"

namespace {

// The tunes last as long as the tune programs are given, and every tone can sound: a length, and
// a frequency that the speaker fallback (Beep) accepts.
TEST(TonesTest, LengthsAndRanges) {
  EXPECT_EQ(kAlarmTune.size(), 44u);
  EXPECT_EQ(TuneMilliseconds(kAlarmTune), 3542u);
  EXPECT_EQ(kHappyTune.size(), 6u);
  EXPECT_EQ(TuneMilliseconds(kHappyTune), 2600u);
  for (const auto& [tones, count] :
       {std::pair{kAlarmTune.data(), kAlarmTune.size()}, {kHappyTune.data(), kHappyTune.size()}}) {
    for (const Tone& tone : std::vector<Tone>(tones, tones + count)) {
      EXPECT_GT(tone.milliseconds, 0u);
      EXPECT_GE(tone.frequency, 37u);
      EXPECT_LE(tone.frequency, 32767u);
    }
  }
}

// Each tone measured back from the wave: its frequency from the rising zero crossings in its span.
TEST(RenderTest, TonesSoundAsListedThenSilence) {
  for (const std::vector<Tone>& tones : {std::vector<Tone>(kAlarmTune.begin(), kAlarmTune.end()),
                                         std::vector<Tone>(kHappyTune.begin(), kHappyTune.end()),
                                         std::vector<Tone>{{800, 9}, {300, 9}, {799, 11}}}) {
    std::vector<std::int16_t> samples(RenderedSamples(tones.data(), tones.size()));
    RenderTune(tones.data(), tones.size(), samples.data());

    const unsigned total = TuneMilliseconds(tones.data(), tones.size());
    const double exactEnd = total * kSampleRate / 1000.0;
    EXPECT_NEAR(static_cast<double>(samples.size()),
                exactEnd + kSilenceMilliseconds * kSampleRate / 1000.0, 1.0);

    unsigned elapsed = 0;
    for (const Tone& tone : tones) {
      const double exactStart = elapsed * kSampleRate / 1000.0;
      elapsed += tone.milliseconds;
      const auto first = static_cast<std::size_t>(std::lround(exactStart));
      const auto last = static_cast<std::size_t>(std::lround(elapsed * kSampleRate / 1000.0));
      std::vector<std::size_t> rises;
      for (std::size_t i = first + 1; i < last; ++i) {
        EXPECT_NE(samples[i], 0) << "gap at sample " << i;
        if (samples[i - 1] < 0 && samples[i] > 0) rises.push_back(i);
      }
      ASSERT_GE(rises.size(), 2u) << tone.frequency << " Hz at " << exactStart;
      const double measured = static_cast<double>(rises.size() - 1) * kSampleRate /
                              static_cast<double>(rises.back() - rises.front());
      EXPECT_NEAR(measured, tone.frequency, tone.frequency * 0.01) << "at sample " << first;
    }
    for (std::size_t i = static_cast<std::size_t>(std::lround(exactEnd)); i < samples.size(); ++i)
      ASSERT_EQ(samples[i], 0) << i;
  }
}

// A square wave that jumps in phase at a tone change shows as a half-period too short or long.
TEST(RenderTest, PhaseRunsOnAcrossToneChanges) {
  const Tone same[] = {{441, 100}, {441, 100}};
  std::vector<std::int16_t> joined(RenderedSamples(same, 2));
  RenderTune(same, 2, joined.data());
  const Tone whole[] = {{441, 200}};
  std::vector<std::int16_t> single(RenderedSamples(whole, 1));
  RenderTune(whole, 1, single.data());
  EXPECT_EQ(joined, single);
}

}  // namespace
