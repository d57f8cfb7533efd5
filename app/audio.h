// The sound device behind PlaySoundFile and StopSound (SDL2 audio): one
// voice, played asynchronously by SDL's audio thread.
#pragma once

// Starts the WAV file on the one voice, replacing what plays. False when the
// file cannot be read or decoded; true (and silence) without an audio device.
// The first call starts looking for the device on a thread of its own and
// returns without waiting; what is asked for meanwhile plays once it opens.
bool AudioPlay(const char *path, bool loop);
// Ends what plays; the purge form also drops anything queued.
void AudioStop(bool purge);
// True once the look for a device has ended (or never began); waits for it at
// most timeoutMs.
bool AudioProbeEnded(int timeoutMs);
// Waits for the look for a device, then closes the device; the next AudioPlay
// looks again.
void AudioShutdown();
