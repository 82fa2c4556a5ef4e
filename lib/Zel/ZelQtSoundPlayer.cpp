#include "ZelQtSoundPlayer.h"

#include "ZelHelpers.h"
#include "ZelMemBlocks.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>

bool ZelParseWave(const QByteArray& image, QAudioFormat& format, QByteArray& samples) {
    auto bytes = reinterpret_cast<const uint8_t*>(image.constData());
    qsizetype size = image.size();
    if (size < 12 || image.left(4) != "RIFF" || image.mid(8, 4) != "WAVE")
        return false;
    bool haveFormat = false;
    uint16_t encoding = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    for (qsizetype at = 12; at + 8 <= size;) {
        QByteArray id = image.mid(at, 4);
        uint32_t length = ZelReadLE32(bytes + at + 4);
        qsizetype body = at + 8;
        if (length > uint64_t(size - body))
            return false; // a chunk beyond the image
        if (id == "fmt " && length >= 16) {
            encoding = ZelReadLE16(bytes + body);
            channels = ZelReadLE16(bytes + body + 2);
            rate = ZelReadLE32(bytes + body + 4);
            bits = ZelReadLE16(bytes + body + 14);
            if (encoding == 0xFFFE && length >= 26) // extensible: the sub-format's code
                encoding = ZelReadLE16(bytes + body + 24);
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            QAudioFormat::SampleFormat sample = QAudioFormat::Unknown;
            if (encoding == 1 && bits == 8)
                sample = QAudioFormat::UInt8;
            else if (encoding == 1 && bits == 16)
                sample = QAudioFormat::Int16;
            else if (encoding == 1 && bits == 32)
                sample = QAudioFormat::Int32;
            else if (encoding == 3 && bits == 32)
                sample = QAudioFormat::Float;
            if (sample == QAudioFormat::Unknown || channels == 0 || channels > 8 || rate == 0 ||
                rate > 384000)
                return false;
            format.setSampleFormat(sample);
            format.setChannelCount(channels);
            format.setSampleRate(int(rate));
            samples = image.mid(body, qsizetype(length));
            return true;
        }
        at = body + qsizetype(length) + (length & 1); // chunks are word-aligned
    }
    return false;
}

TZelQtSoundPlayer::TZelQtSoundPlayer() = default;

TZelQtSoundPlayer::~TZelQtSoundPlayer() {
    StopAll();
}

void TZelQtSoundPlayer::Report(const QString& message) {
    if (Reported.contains(message))
        return;
    Reported.append(message);
    if (OnReport)
        OnReport(message);
}

void TZelQtSoundPlayer::Play(const ZelRef<IZelMemBlocks>& sounds, int32_t index) {
    StopAll();
    if (!sounds || index < 0 || index >= sounds->GetCount())
        return;
    TZelMemBlock block = sounds->GetBlock(index);
    QByteArray image(reinterpret_cast<const char*>(block.Ptr), block.Size);
    QAudioFormat format;
    if (!ZelParseWave(image, format, Samples)) {
        Report(QCoreApplication::translate("TZelQtSoundPlayer",
                                           "A sound of the dictionary is no wave image this "
                                           "program can play."));
        return;
    }
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        Report(QCoreApplication::translate("TZelQtSoundPlayer",
                                           "There is no audio device: sounds are not played."));
        return;
    }
    Buffer = std::make_unique<QBuffer>(&Samples);
    Buffer->open(QIODevice::ReadOnly);
    Sink = std::make_unique<QAudioSink>(device, format);
    connect(Sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState && Sink)
            QMetaObject::invokeMethod(
                this, [this] { StopAll(); }, Qt::QueuedConnection);
    });
    Sink->start(Buffer.get());
    if (Sink->error() != QAudio::NoError) {
        Report(QCoreApplication::translate("TZelQtSoundPlayer",
                                           "The audio device cannot play sounds."));
        StopAll();
    }
}

void TZelQtSoundPlayer::StopAll() {
    if (Sink) {
        Sink->disconnect(this);
        Sink->stop();
    }
    Sink.reset();
    Buffer.reset();
}

bool TZelQtSoundPlayer::IsPlaying() const {
    return Sink && Sink->state() == QAudio::ActiveState;
}
