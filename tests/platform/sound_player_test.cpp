// Prompts on Linux: the panel's "wave\" paths, how long a recording plays, the timing of a
// prompt on a machine without sound output, and the prompt log the program tests read.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/linux/backends.h"
#include "platform/linux/wav_sound.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::linux_backend::localSoundPath;
using platform::linux_backend::makeSoundPlayer;
using platform::linux_backend::WavSound;

namespace {

using Clock = std::chrono::steady_clock;

void putLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(char((value >> (8 * i)) & 0xFF));
}

// A PCM recording of silence lasting `ms`.
void writeWav(const fs::path& path, int rate, int channels, int bits, int ms) {
    const std::uint32_t frameBytes = std::uint32_t(channels) * bits / 8;
    const std::uint32_t bytesPerSecond = std::uint32_t(rate) * frameBytes;
    const std::uint32_t dataBytes = std::uint32_t(rate) * ms / 1000 * frameBytes;
    std::ofstream out(path, std::ios::binary);
    out << "RIFF";
    putLittleEndian(out, 36 + dataBytes, 4);
    out << "WAVEfmt ";
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2);  // PCM
    putLittleEndian(out, channels, 2);
    putLittleEndian(out, rate, 4);
    putLittleEndian(out, bytesPerSecond, 4);
    putLittleEndian(out, frameBytes, 2);
    putLittleEndian(out, bits, 2);
    out << "data";
    putLittleEndian(out, dataBytes, 4);
    out << std::string(dataBytes, bits == 8 ? char(0x80) : '\0');
}

long msSince(Clock::time_point start) {
    return long(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("vocapan_sound_" + std::to_string(::getpid()) + "_" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_ / "wave");
        previousFolder_ = fs::current_path();
        fs::current_path(folder_);
        // No sound output on any machine: no sound server, and an audio driver that does not
        // exist.
        setenv("PULSE_SERVER", (folder_ / "no-sound-server").c_str(), 1);
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        unsetenv("VOCAPAN_SOUND_LOG");
    }
    void TearDown() override {
        fs::current_path(previousFolder_);
        fs::remove_all(folder_);
        unsetenv("PULSE_SERVER");
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("VOCAPAN_SOUND_LOG");
    }
    fs::path folder_;
    fs::path previousFolder_;
};

TEST(SoundPath, windows_separators_become_slashes) {
    EXPECT_EQ(localSoundPath("wave\\ftx.wav"), "wave/ftx.wav");
    EXPECT_EQ(localSoundPath("wave\\sub\\5.wav"), "wave/sub/5.wav");
    EXPECT_EQ(localSoundPath("wave/delay.wav"), "wave/delay.wav");
}

TEST_F(SoundPlayerTest, a_recording_plays_for_its_sample_bytes_over_its_byte_rate) {
    struct Case {
        int rate, channels, bits, ms;
    };
    for (const Case& c :
         {Case{22050, 1, 16, 150}, Case{44100, 2, 16, 1200}, Case{8000, 1, 8, 400}, Case{48000, 2, 16, 0}}) {
        writeWav("wave/delay.wav", c.rate, c.channels, c.bits, c.ms);
        const WavSound sound("wave/delay.wav");
        if (c.ms == 0) {
            // An empty recording plays nothing, whether SDL loads it or not.
            EXPECT_EQ(sound.playingTime(), 0ms);
            continue;
        }
        ASSERT_TRUE(sound.loaded()) << c.rate << " Hz, " << c.channels << " channels, " << c.bits << " bits";
        EXPECT_EQ(sound.playingTime(), std::chrono::milliseconds(c.ms))
            << c.rate << " Hz, " << c.channels << " channels, " << c.bits << " bits";
    }
}

TEST_F(SoundPlayerTest, missing_and_broken_files_are_not_recordings) {
    std::ofstream("wave/broken.wav") << "RIFF....WAVEnothing here";
    EXPECT_FALSE(WavSound("wave/missing.wav").loaded());
    EXPECT_FALSE(WavSound("wave/broken.wav").loaded());
    EXPECT_EQ(WavSound("wave/missing.wav").playingTime(), 0ms);
}

TEST_F(SoundPlayerTest, without_sound_output_a_prompt_still_takes_its_length) {
    writeWav("wave/delay.wav", 22050, 1, 16, 300);
    const auto player = makeSoundPlayer();
    const Clock::time_point start = Clock::now();
    player->playSync("wave\\delay.wav");
    const long took = msSince(start);
    EXPECT_GE(took, 300);
    EXPECT_LT(took, 450);

    // Started to be looked at: it plays for its length, looked at every few milliseconds.
    const Clock::time_point again = Clock::now();
    player->playAsync("wave\\delay.wav");
    int looks = 0;
    while (player->stillPlaying(platform::kServeWhilePlayingMs)) ++looks;
    EXPECT_GE(msSince(again), 300);
    EXPECT_GE(looks, 300 / platform::kServeWhilePlayingMs / 2);

    // Stopped, it has ended at once, long before its length.
    writeWav("wave/ftx.wav", 22050, 1, 16, 4000);
    const Clock::time_point cut = Clock::now();
    player->playAsync("wave\\ftx.wav");
    ASSERT_TRUE(player->stillPlaying(1));
    player->stop();
    EXPECT_FALSE(player->stillPlaying(platform::kServeWhilePlayingMs));
    EXPECT_LT(msSince(cut), 2000);
}

TEST_F(SoundPlayerTest, missing_or_broken_prompts_and_started_prompts_return_at_once) {
    writeWav("wave/help.wav", 22050, 1, 16, 2000);
    std::ofstream("wave/broken.wav") << "not a recording";
    const auto player = makeSoundPlayer();
    const Clock::time_point start = Clock::now();
    player->playSync("wave\\missing.wav");
    player->playSync("wave\\broken.wav");
    player->playAsync("wave\\help.wav");
    EXPECT_LT(msSince(start), 100);
}

TEST_F(SoundPlayerTest, every_prompt_asked_for_is_logged_in_order_as_given) {
    setenv("VOCAPAN_SOUND_LOG", (folder_ / "prompts.log").c_str(), 1);
    writeWav("wave/ftx.wav", 22050, 1, 16, 20);
    const auto player = makeSoundPlayer();
    player->playSync("wave\\ftx.wav");
    player->playSync("wave\\3.wav");  // missing, still asked for
    player->playAsync("wave\\help.wav");
    player->playSync("wave/point.wav");

    std::ifstream log(folder_ / "prompts.log", std::ios::binary);
    std::stringstream text;
    text << log.rdbuf();
    EXPECT_EQ(text.str(), "wave\\ftx.wav\nwave\\3.wav\nwave\\help.wav\nwave/point.wav\n");
}

// The real playing path, through SDL's disk driver, which writes the sound to a file at the
// speed a sound card would play it.
TEST_F(SoundPlayerTest, through_a_sound_device_a_prompt_ends_when_played_and_a_later_one_cuts_the_earlier) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (folder_ / "played.raw").c_str(), 1);
    writeWav("wave/delay.wav", 22050, 1, 16, 300);
    writeWav("wave/help.wav", 11025, 2, 8, 3000);
    const auto player = makeSoundPlayer();

    Clock::time_point start = Clock::now();
    player->playSync("wave\\delay.wav");
    const long took = msSince(start);
    if (!fs::exists(folder_ / "played.raw")) GTEST_SKIP() << "SDL has no disk audio driver here";
    EXPECT_GE(took, 300);
    EXPECT_LT(took, 800);

    start = Clock::now();
    player->playAsync("wave\\help.wav");
    EXPECT_LT(msSince(start), 100);
    player->playSync("wave\\delay.wav");
    EXPECT_LT(msSince(start), 1200) << "the help prompt was not cut off by the next prompt";
    unsetenv("SDL_DISKAUDIOFILE");
}

}  // namespace
