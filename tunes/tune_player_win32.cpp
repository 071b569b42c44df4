#include <windows.h>

#include <mmsystem.h>

#include "tune_player.h"

namespace {

// Where Beep cannot sound it returns at once; each tone still takes its time, so the tune lasts
// as long everywhere.
void BeepTones(const Tone* tones, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const DWORD start = GetTickCount();
    Beep(tones[i].frequency, tones[i].milliseconds);
    const DWORD spent = GetTickCount() - start;
    if (spent < tones[i].milliseconds) Sleep(tones[i].milliseconds - spent);
  }
}

// Plays the rendered samples; false when the device cannot take them.
bool PlaySamples(std::int16_t* samples, std::size_t sampleCount) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = kSampleRate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 2;
  format.nAvgBytesPerSec = kSampleRate * format.nBlockAlign;
  HWAVEOUT device = nullptr;
  if (waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
    return false;
  }
  WAVEHDR header{};
  header.lpData = reinterpret_cast<LPSTR>(samples);
  header.dwBufferLength = static_cast<DWORD>(sampleCount * sizeof *samples);
  bool played = waveOutPrepareHeader(device, &header, sizeof header) == MMSYSERR_NOERROR;
  played = played && waveOutWrite(device, &header, sizeof header) == MMSYSERR_NOERROR;
  if (played) {
    // However the device behaves, the program ends: it waits the tune's length and two seconds
    // more at most.
    const DWORD limit = static_cast<DWORD>(sampleCount * 1000 / kSampleRate) + 2000;
    for (DWORD waited = 0; (header.dwFlags & WHDR_DONE) == 0 && waited < limit; waited += 20) {
      Sleep(20);
    }
    waveOutReset(device);
  }
  waveOutUnprepareHeader(device, &header, sizeof header);
  waveOutClose(device);
  return played;
}

}  // namespace

void PlayTune(const Tone* tones, std::size_t count) {
  const std::size_t sampleCount = RenderedSamples(tones, count);
  auto* samples = static_cast<std::int16_t*>(
      HeapAlloc(GetProcessHeap(), 0, sampleCount * sizeof(std::int16_t)));
  bool played = false;
  if (samples != nullptr) {
    RenderTune(tones, count, samples);
    played = PlaySamples(samples, sampleCount);
    HeapFree(GetProcessHeap(), 0, samples);
  }
  if (!played) BeepTones(tones, count);
}
