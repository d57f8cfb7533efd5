// The sound device behind PlaySoundFile and StopSound (SDL2 audio): one
// voice, played asynchronously by SDL's audio thread.
#pragma once

// Starts the WAV file on the one voice, replacing what plays. False when the
// file cannot be read or decoded; true (and silence) without an audio device.
// Until the device has been looked for, the sound waits for it.
bool AudioPlay(const char *path, bool loop);
// Begins looking for the device, on a thread of its own, when a sound waits
// for it; the sound starts as soon as the device is open. The main loop calls
// it between frames, so that the look never holds one.
void AudioLookForDevice();
// Ends what plays; the purge form also drops anything queued.
void AudioStop(bool purge);
// True once the look for a device has ended (or never began); waits for it at
// most timeoutMs.
bool AudioProbeEnded(int timeoutMs);
// Waits for the look for a device, then closes the device; the next AudioPlay
// looks again.
void AudioShutdown();
