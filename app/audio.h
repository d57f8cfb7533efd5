// The sound device behind PlaySoundFile and StopSound (SDL2 audio): one
// voice, played asynchronously by SDL's audio thread.
#pragma once

// Starts the WAV file on the one voice, replacing what plays. False when the
// file cannot be read or decoded; true (and silence) without an audio device.
// Never waits for the device: until the look for it has ended, the sound is
// kept, in place of one kept before, and starts when the device opens.
bool AudioPlay(const char *path, bool loop);
// Begins looking for the device, on a thread of its own, when a sound waits
// for it; the sound starts as soon as the device is open. The main loop calls
// it between frames, so that the look never holds one.
void AudioLookForDevice();
// Ends what plays, and drops a sound kept for the device; the purge form also
// drops anything queued.
void AudioStop(bool purge);
// True once the look for a device has ended (or never began); waits for it at
// most timeoutMs.
bool AudioProbeEnded(int timeoutMs);
// Waits at most timeoutMs for the look for a device to end, then closes the
// device, and the next AudioPlay looks again. False, with nothing closed, when
// the look still runs.
bool AudioShutdown(int timeoutMs);
