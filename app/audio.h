// The sound device behind PlaySoundFile and StopSound (SDL2 audio): one
// voice, played asynchronously by SDL's audio thread.
#pragma once

// Starts the WAV file on the one voice, replacing what plays. False when the
// file cannot be read or decoded; true (and silence) without an audio device.
// The device is opened on the first call.
bool AudioPlay(const char *path, bool loop);
// Ends what plays; the purge form also drops anything queued.
void AudioStop(bool purge);
// Closes the device; the next AudioPlay opens it again.
void AudioShutdown();
