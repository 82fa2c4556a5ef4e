// The sound service of the windows: a dictionary's wave image played from memory through
// Qt Multimedia. Without an audio device it says so once and stays silent; data that is no
// wave image it can play is skipped (and said once too). Playing never blocks.
#pragma once

#include "ZelSound.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAudioSink;
class QBuffer;

// The samples and format of a RIFF/WAVE image of integer or float PCM; false for anything
// else (every chunk is checked against the image's size).
bool ZelParseWave(const QByteArray& image, QAudioFormat& format, QByteArray& samples);

class TZelQtSoundPlayer : public QObject, public TZelSoundPlayer {
    Q_OBJECT
public:
    TZelQtSoundPlayer();
    ~TZelQtSoundPlayer() override;

    void Play(const ZelRef<IZelMemBlocks>& sounds, int32_t index) override;
    void StopAll() override;
    bool IsPlaying() const;

    // Where the player says what it cannot do (the status bar); each message once.
    std::function<void(const QString& message)> OnReport;

private:
    void Report(const QString& message);

    std::unique_ptr<QAudioSink> Sink;
    std::unique_ptr<QBuffer> Buffer;
    QByteArray Samples;
    QStringList Reported;
};
