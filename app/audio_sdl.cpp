// SDL2 audio: one voice that SDL's audio thread copies to the device, a whole
// sound converted to the device's format before it starts.
//
// Finding a device is slow where there is none: SDL connects to D-Bus (which
// forks dbus-launch when it can), asks PulseAudio and ALSA and reads their
// configuration, and that held the first frame. A wedged sound server, or a
// device whose opening never returns, can hold it for ever. So every sound is
// read and checked on the game's thread, as before, and the device is looked
// for on a thread of its own, begun between frames so that it never competes
// with one. The game never waits for that look: a sound asked for meanwhile is
// kept beside it and starts as soon as the device is open.
#include "app/audio.h"

#include <SDL2/SDL.h>

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

// The sound on the voice, in the device's format. Shared with the audio
// thread: changed only with the device locked.
struct Voice {
    Uint8 *samples = nullptr;
    Uint32 length = 0;
    Uint32 position = 0;
    bool loop = false;
};

// A sound as read from its file, in the file's format.
struct Sound {
    SDL_AudioSpec spec{};
    Uint8 *data = nullptr;
    Uint32 length = 0;
    bool loop = false;
};

// Wanted: a sound waits for the device and the look has not begun.
enum class Probe { NotStarted, Wanted, Running, Done };

// Shared by the game's thread and the probe's, under probeLock: the probe
// writes the device once and then marks itself done. While it runs, the
// game's thread calls only the parts of SDL that the look leaves alone: the
// WAV reader and format conversions (see readSound).
std::mutex probeLock;
std::condition_variable probeEnded;
Probe probe = Probe::NotStarted;
SDL_AudioDeviceID device;
SDL_AudioSpec deviceSpec;
Sound waiting;  // the sound the device starts with, once open; the latest asked for

// Read by the audio thread, which starts only once the probe has set them.
Uint8 silence;
Voice voice;

void SDLCALL fillDevice(void *, Uint8 *stream, int bytes)
{
    const Uint32 wanted = static_cast<Uint32>(bytes);
    Uint32 done = 0;
    while (done < wanted && voice.samples && voice.length > 0) {
        if (voice.position == voice.length) {
            if (!voice.loop) break;
            voice.position = 0;
        }
        const Uint32 count = std::min(voice.length - voice.position, wanted - done);
        std::memcpy(stream + done, voice.samples + voice.position, count);
        done += count;
        voice.position += count;
    }
    std::memset(stream + done, silence, wanted - done);
}

// On a machine without a sound card ALSA prints its failed probes to the
// player's terminal. SDL loads ALSA itself; loading it first lets us hand it
// a quiet error handler (the library stays loaded, so the handler holds).
void SDLCALL ignoreAlsaError(const char *, int, const char *, int, const char *, ...) {}

void quietAlsa()
{
    void *alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa) return;
    using Handler = void (*)(const char *, int, const char *, int, const char *, ...);
    auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler) setHandler(ignoreAlsaError);
}

// The format of the shipped sounds: the sixteen seconds of music then start
// without a conversion.
SDL_AudioSpec wantedFormat()
{
    SDL_AudioSpec wanted{};
    wanted.freq = 22050;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = 1024;
    wanted.callback = fillDevice;
    return wanted;
}

// Rates a sound may have: SDL's resampler overflows on absurd ratios that a
// broken header can declare.
constexpr int LowestRate = 1000, HighestRate = 384000;
constexpr int MostChannels = 8;

// What the device will take is known only once it is open: a sound is checked
// against the format asked for, which SDL converts from whatever it can
// convert to any other. The rate is checked against the bounds alone, and the
// stream keeps the sound's own rate: a resampler may come from a library that
// the look for a device loads at the same moment on its thread.
bool convertible(const SDL_AudioSpec &spec)
{
    if (spec.freq < LowestRate || spec.freq > HighestRate || spec.channels < 1 || spec.channels > MostChannels)
        return false;
    const SDL_AudioSpec wanted = wantedFormat();
    SDL_AudioStream *stream =
        SDL_NewAudioStream(spec.format, spec.channels, spec.freq, wanted.format, wanted.channels, spec.freq);
    SDL_FreeAudioStream(stream);
    return stream != nullptr;
}

// The whole sound in the device's format; false when SDL cannot convert it.
bool convertForDevice(const SDL_AudioSpec &spec, const Uint8 *data, Uint32 length, Voice &out)
{
    SDL_AudioStream *stream = SDL_NewAudioStream(spec.format, spec.channels, spec.freq, deviceSpec.format,
                                                 deviceSpec.channels, deviceSpec.freq);
    if (!stream) return false;
    const Uint32 frame = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
    length -= length % frame;
    bool converted = SDL_AudioStreamPut(stream, data, static_cast<int>(length)) == 0 &&
                     SDL_AudioStreamFlush(stream) == 0;
    const int available = converted ? SDL_AudioStreamAvailable(stream) : 0;
    if (available > 0) {
        out.samples = static_cast<Uint8 *>(SDL_malloc(available));
        converted = out.samples && SDL_AudioStreamGet(stream, out.samples, available) == available;
        if (!converted) {
            SDL_free(out.samples);
            out.samples = nullptr;
        }
        out.length = converted ? static_cast<Uint32>(available) : 0;
    }
    SDL_FreeAudioStream(stream);
    return converted;
}

// The game's sounds are a few seconds long; a file beyond this is refused
// rather than read.
constexpr long LargestSoundFile = 64L << 20;

uint32_t readLittle32(const std::vector<Uint8> &bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
}

void writeLittle32(std::vector<Uint8> &bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[at + i] = (value >> (8 * i)) & 0xFF;
}

// SDL trusts the chunk lengths a WAV file declares and allocates them before
// it reads; a broken header could ask for gigabytes. Every length is cut to
// the bytes that are really there, as if the file had been truncated.
void clampChunkLengths(std::vector<Uint8> &bytes)
{
    constexpr size_t ChunkHeader = 8, RiffHeader = 12;
    if (bytes.size() < RiffHeader) return;
    writeLittle32(bytes, 4, std::min<uint32_t>(readLittle32(bytes, 4), bytes.size() - ChunkHeader));
    for (size_t at = RiffHeader; at + ChunkHeader <= bytes.size();) {
        const size_t room = bytes.size() - at - ChunkHeader;
        const uint32_t length = std::min<uint32_t>(readLittle32(bytes, at + 4), room);
        writeLittle32(bytes, at + 4, length);
        at += ChunkHeader + length + (length & 1);
    }
}

// The whole file, or false when it cannot be read or is too large.
bool readSoundFile(const char *path, std::vector<Uint8> &bytes)
{
    FILE *file = std::fopen(path, "rb");
    if (!file) return false;
    bool read = std::fseek(file, 0, SEEK_END) == 0;
    const long size = read ? std::ftell(file) : -1;
    read = size >= 0 && size <= LargestSoundFile && std::fseek(file, 0, SEEK_SET) == 0;
    if (read) {
        bytes.resize(size);
        read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return read;
}

void replaceVoice(const Voice &next)
{
    SDL_LockAudioDevice(device);
    Uint8 *old = voice.samples;
    voice = next;
    SDL_UnlockAudioDevice(device);
    SDL_free(old);
}

void forget(Sound &sound)
{
    SDL_FreeWAV(sound.data);
    sound = Sound{};
}

// With probeLock held and the device open: the sound replaces what plays.
// False when SDL cannot convert it.
bool startOnDevice(const Sound &sound)
{
    Voice next;
    next.loop = sound.loop;
    if (!convertForDevice(sound.spec, sound.data, sound.length, next)) return false;
    replaceVoice(next);
    return true;
}

// A machine without sound gets a silent game, not an error. The device is
// opened paused and starts with the sound asked for meanwhile, if any.
int SDLCALL probeDevice(void *)
{
    quietAlsa();
    SDL_AudioDeviceID opened = 0;
    SDL_AudioSpec wanted = wantedFormat(), obtained{};
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        opened = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                                     SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
        if (opened == 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    std::lock_guard<std::mutex> hold(probeLock);
    device = opened;
    deviceSpec = obtained;
    silence = obtained.silence;
    if (device != 0) {
        if (waiting.data) startOnDevice(waiting);  // nobody is left to tell of a failure
        SDL_PauseAudioDevice(device, 0);
    }
    forget(waiting);
    probe = Probe::Done;
    probeEnded.notify_all();
    return 0;
}

// The whole file, decoded and checked; false when it cannot be played. The
// WAV reader and the conversion check share nothing with the audio side that
// the look for a device sets up, so this runs on the game's thread whatever
// the look is doing.
bool readSound(const char *path, Sound &sound)
{
    std::vector<Uint8> file;
    if (!readSoundFile(path, file)) return false;
    clampChunkLengths(file);
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1, &sound.spec,
                        &sound.data, &sound.length))
        return false;
    if (convertible(sound.spec)) return true;
    forget(sound);
    return false;
}

bool probeOver() { return probe != Probe::Running; }

}  // namespace

bool AudioPlay(const char *path, bool loop)
{
    // Read and checked here, at once, even while the device is looked for:
    // the answer is needed now, for the cue's message.
    Sound sound;
    sound.loop = loop;
    if (!readSound(path, sound)) return false;
    std::lock_guard<std::mutex> hold(probeLock);
    if (probe != Probe::Done) {
        // No device yet: kept beside the look, in place of what waited there.
        std::swap(waiting, sound);
        forget(sound);
        if (probe == Probe::NotStarted) probe = Probe::Wanted;
        return true;
    }
    const bool started = device == 0 || startOnDevice(sound);
    forget(sound);
    return started;
}

void AudioLookForDevice()
{
    {
        std::lock_guard<std::mutex> hold(probeLock);
        if (probe != Probe::Wanted) return;
        probe = Probe::Running;
    }
    // Opening a device starts SDL's event side, which would take SIGINT and
    // SIGTERM for quit events that the game never reads: the player's Ctrl-C
    // and the session's end must still end the game.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // An SDL thread, so that SDL frees what it keeps for the thread when it ends.
    SDL_Thread *thread = SDL_CreateThread(probeDevice, "cw-sound-device", nullptr);
    if (thread) SDL_DetachThread(thread);
    else probeDevice(nullptr);  // no thread to be had: look here and now
}

// One voice and nothing queued behind it: both forms end the sound at once,
// and a sound kept for a device still looked for is dropped.
void AudioStop(bool)
{
    std::lock_guard<std::mutex> hold(probeLock);
    forget(waiting);
    if (probe == Probe::Wanted) probe = Probe::NotStarted;  // nothing is left to look for
    if (device != 0) replaceVoice(Voice{});
}

bool AudioProbeEnded(int timeoutMs)
{
    std::unique_lock<std::mutex> hold(probeLock);
    return probeEnded.wait_for(hold, std::chrono::milliseconds(timeoutMs), probeOver);
}

bool AudioShutdown(int timeoutMs)
{
    std::unique_lock<std::mutex> hold(probeLock);
    // A look that never ends keeps SDL's audio side: nothing is closed under it.
    if (!probeEnded.wait_for(hold, std::chrono::milliseconds(timeoutMs), probeOver)) return false;
    forget(waiting);
    if (device != 0) {
        SDL_CloseAudioDevice(device);
        SDL_free(voice.samples);
        voice = Voice{};
        device = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    probe = Probe::NotStarted;
    return true;
}
