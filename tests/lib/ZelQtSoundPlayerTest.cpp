// The sound player on Qt Multimedia: wave images checked before they are played, and
// playing that never blocks or fails, with or without an audio device.
#include "ZelQtSoundPlayer.h"
#include "ZelMemBlocks.h"
#include "ZelTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

class TBlocks : public TZelMemBlocks {
public:
    explicit TBlocks(std::vector<std::string> blocks) : Blocks(std::move(blocks)) {}
    int32_t GetCount() override { return int32_t(Blocks.size()); }
    int32_t GetBlockSize(int32_t index) override {
        return int32_t(Blocks.at(size_t(index)).size());
    }
    TZelMemBlock GetBlock(int32_t index) override {
        return {GetBlockPtr(index), GetBlockSize(index)};
    }
    const uint8_t* GetBlockPtr(int32_t index) override {
        return reinterpret_cast<const uint8_t*>(Blocks.at(size_t(index)).data());
    }
    std::vector<std::string> Blocks;
};

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

TEST(QtSoundPlayer, OnlyWholeWaveImagesOfAKnownKindAreRead) {
    std::string wave = MakeWave(100, 7);
    QAudioFormat format;
    QByteArray samples;
    ASSERT_TRUE(ZelParseWave(Bytes(wave), format, samples));
    EXPECT_EQ(format.sampleFormat(), QAudioFormat::UInt8);
    EXPECT_EQ(format.channelCount(), 1);
    EXPECT_EQ(format.sampleRate(), 8000);
    EXPECT_EQ(samples.size(), 100);

    std::string riff = wave;
    riff[0] = 'X';
    std::string truncated = wave.substr(0, wave.size() - 10); // the data chunk is longer
    std::string bits24 = wave;
    bits24[34] = 24; // bits per sample of the fmt chunk
    std::string noData = wave.substr(0, 36);
    for (const auto& [name, image] :
         std::vector<std::pair<const char*, std::string>>{{"not RIFF", riff},
                                                          {"truncated", truncated},
                                                          {"24-bit", bits24},
                                                          {"no data chunk", noData},
                                                          {"empty", ""},
                                                          {"header only", wave.substr(0, 12)}})
        EXPECT_FALSE(ZelParseWave(Bytes(image), format, samples)) << name;
}

// Whatever the machine has: a sound plays (or the missing device is told once), a damaged
// one is told once, and nothing waits for the sound to end.
TEST(QtSoundPlayer, PlayingNeverBlocksAndTellsEachProblemOnce) {
    TZelQtSoundPlayer player;
    QStringList told;
    player.OnReport = [&](const QString& message) { told.append(message); };
    ZelRef<TBlocks> blocks =
        ZelMake<TBlocks>(std::vector<std::string>{MakeWave(8000, 128), "no wave at all"});
    QElapsedTimer timer;
    timer.start();
    player.Play(blocks, 0);
    player.Play(blocks, 0);
    EXPECT_LT(timer.elapsed(), 1000); // a one-second sound: we did not wait for it
    EXPECT_LE(told.size(), 1);
    player.Play(blocks, 1);
    player.Play(blocks, 1);
    player.Play(blocks, 5); // no such block: silence
    QCoreApplication::processEvents();
    EXPECT_EQ(told.count("A sound of the dictionary is no wave image this program can play."), 1);
    player.StopAll();
    EXPECT_FALSE(player.IsPlaying());
}

} // namespace
