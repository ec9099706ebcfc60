#include "kvmovieprobe.h"

#include <QFile>
#include <QFileInfo>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libswscale/swscale.h>
}

#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>

namespace Kova {

namespace {

using Clock = std::chrono::steady_clock;

// FFmpeg's "no timestamp" value (AV_NOPTS_VALUE).
constexpr int64_t noTimestamp = std::numeric_limits<int64_t>::min();
// At most this many bytes and this much playing time are read to find the streams.
constexpr int64_t probeBytes = 8 * 1024 * 1024;
constexpr int64_t analyzeMicroseconds = 5 * 1000 * 1000;
// At most this many packets are read, and this many frames at or after the seek point are
// looked at, while looking for a frame that is not dark.
constexpr int maxPacketsRead = 1500;
constexpr int maxFramesExamined = 60;
// The frame is taken a tenth into the movie, but never further in than this.
constexpr qint64 maxSeekMs = 30 * 1000;

const AVRational milliseconds = {1, 1000};

struct Deadline
{
    Clock::time_point end;
    bool passed() const { return Clock::now() > end; }
};

// Called by FFmpeg while it waits for data: a non-zero answer aborts the call.
int interruptCallback(void* opaque)
{
    return static_cast<const Deadline*>(opaque)->passed() ? 1 : 0;
}

struct FormatCloser
{
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecCloser
{
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketFreer
{
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer
{
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct ScalerFreer
{
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using ScalerPtr = std::unique_ptr<SwsContext, ScalerFreer>;

QString errorText(int error)
{
    char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, buffer, sizeof buffer);
    return QString::fromUtf8(buffer);
}

// The container's name as people know it: the file's extension when the demuxer claims it
// ("mp4" rather than "mov,mp4,m4a,..."), otherwise the demuxer's first name.
QString containerName(const AVInputFormat* format, const QString& filePath)
{
    const QString suffix = QFileInfo(filePath).suffix().toLower();
    if (format->extensions && !suffix.isEmpty()) {
        const QStringList known = QString::fromLatin1(format->extensions).split(',');
        if (known.contains(suffix)) {
            return suffix;
        }
    }
    return QString::fromLatin1(format->name).section(',', 0, 0);
}

// Display size of a frame: its stored size with the sample aspect ratio applied.
QSize displaySize(int width, int height, AVRational sampleAspect)
{
    if (sampleAspect.num > 0 && sampleAspect.den > 0 && sampleAspect.num != sampleAspect.den) {
        width = static_cast<int>(av_rescale(width, sampleAspect.num, sampleAspect.den));
    }
    return QSize(qMax(width, 1), qMax(height, 1));
}

QImage scaledFrame(const AVFrame* frame, const QSize& display, int maxSide)
{
    if (frame->width <= 0 || frame->height <= 0 || !frame->data[0]) {
        return QImage();
    }
    QSize target = display;
    if (target.width() > maxSide || target.height() > maxSide) {
        target = display.scaled(maxSide, maxSide, Qt::KeepAspectRatio);
    }
    target = target.expandedTo(QSize(1, 1));
    // AV_PIX_FMT_RGB32 is laid out in memory exactly like QImage::Format_RGB32.
    const ScalerPtr scaler(sws_getContext(
        frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), target.width(),
        target.height(), AV_PIX_FMT_RGB32, SWS_AREA, nullptr, nullptr, nullptr));
    if (!scaler) {
        return QImage();
    }
    QImage image(target, QImage::Format_RGB32);
    uint8_t* const destination[4] = {image.bits(), nullptr, nullptr, nullptr};
    const int destinationStride[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, destination,
              destinationStride);
    return image;
}

void quietenFfmpeg()
{
    // A broken file makes FFmpeg print its complaints; they come back as probe errors.
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

// Decodes frames from about a tenth into the movie and keeps the first one that is not
// dark, or else the brightest one seen.
QImage representativeFrame(AVFormatContext* context, int streamIndex, const AVCodec* decoder,
                           qint64 lengthMs, const QSize& display, int maxSide,
                           const Deadline& deadline)
{
    AVStream* stream = context->streams[streamIndex];
    const CodecPtr codec(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), stream->codecpar) < 0) {
        return QImage();
    }
    codec->thread_count = 1; // probes already run side by side on worker threads
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0) {
        return QImage();
    }

    const int64_t start = stream->start_time != noTimestamp ? stream->start_time : 0;
    int64_t target = noTimestamp;
    if (lengthMs > 0) {
        target =
            start + av_rescale_q(qMin(lengthMs / 10, maxSeekMs), milliseconds, stream->time_base);
        if (av_seek_frame(context, streamIndex, target, AVSEEK_FLAG_BACKWARD) < 0) {
            av_seek_frame(context, streamIndex, start, AVSEEK_FLAG_BACKWARD);
        }
    }

    const PacketPtr packet(av_packet_alloc());
    const FramePtr frame(av_frame_alloc());
    const FramePtr earlier(av_frame_alloc()); // the last frame before the target
    if (!packet || !frame || !earlier) {
        return QImage();
    }
    QImage best;
    int bestLuma = -1;
    int packetsRead = 0;
    int examined = 0;
    bool draining = false;
    while (!deadline.passed() && examined < maxFramesExamined) {
        if (!draining) {
            if (packetsRead >= maxPacketsRead) {
                break;
            }
            const int read = av_read_frame(context, packet.get());
            if (read < 0) {
                draining = true;
                avcodec_send_packet(codec.get(), nullptr);
            } else {
                ++packetsRead;
                if (packet->stream_index == streamIndex) {
                    avcodec_send_packet(codec.get(), packet.get());
                }
                av_packet_unref(packet.get());
            }
        }
        bool decoderDone = false;
        for (;;) {
            const int received = avcodec_receive_frame(codec.get(), frame.get());
            if (received < 0) {
                decoderDone = received != AVERROR(EAGAIN);
                break;
            }
            const int64_t time = frame->best_effort_timestamp;
            if (target != noTimestamp && time != noTimestamp && time < target) {
                av_frame_unref(earlier.get());
                av_frame_move_ref(earlier.get(), frame.get());
                continue;
            }
            ++examined;
            const QImage image = scaledFrame(frame.get(), display, maxSide);
            av_frame_unref(frame.get());
            const int luma = KvMovieProbe::meanLuma(image);
            if (!image.isNull() && luma > bestLuma) {
                best = image;
                bestLuma = luma;
            }
            if (bestLuma >= KvMovieProbe::darkLuma() || examined >= maxFramesExamined) {
                return best;
            }
        }
        if (draining && decoderDone) {
            break;
        }
    }
    if (best.isNull()) {
        best = scaledFrame(earlier.get(), display, maxSide);
    }
    return best;
}

} // namespace

KvMovieProbe::Result KvMovieProbe::probe(const QString& filePath, int maxSide, int timeoutMs)
{
    quietenFfmpeg();
    Result result;
    Deadline deadline{Clock::now() + std::chrono::milliseconds(timeoutMs)};

    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) {
        result.error = QStringLiteral("out of memory");
        return result;
    }
    raw->interrupt_callback.callback = &interruptCallback;
    raw->interrupt_callback.opaque = &deadline;
    raw->probesize = probeBytes;
    raw->max_analyze_duration = analyzeMicroseconds;
    // On failure FFmpeg frees the context itself.
    const int opened =
        avformat_open_input(&raw, QFile::encodeName(filePath).constData(), nullptr, nullptr);
    if (opened < 0) {
        result.error = deadline.passed() ? QStringLiteral("gave up reading the file in time")
                                         : errorText(opened);
        return result;
    }
    const FormatPtr context(raw);
    const int found = avformat_find_stream_info(context.get(), nullptr);
    if (found < 0) {
        result.error = deadline.passed() ? QStringLiteral("gave up reading the file in time")
                                         : errorText(found);
        return result;
    }

    const AVCodec* decoder = nullptr;
    int streamIndex = av_find_best_stream(context.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    const bool hasVideo = streamIndex >= 0;
    if (!hasVideo) {
        streamIndex = av_find_best_stream(context.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    }
    if (streamIndex < 0) {
        result.error = QStringLiteral("no video or audio stream");
        return result;
    }
    AVStream* stream = context->streams[streamIndex];
    result.readable = true;
    result.format = QStringLiteral("%1 in %2")
                        .arg(QString::fromLatin1(avcodec_get_name(stream->codecpar->codec_id)),
                             containerName(context->iformat, filePath));
    if (context->duration != noTimestamp && context->duration > 0) {
        result.length = av_rescale(context->duration, 1000, AV_TIME_BASE);
    } else if (stream->duration != noTimestamp && stream->duration > 0) {
        result.length = av_rescale_q(stream->duration, stream->time_base, milliseconds);
    }
    if (!hasVideo) {
        return result;
    }
    result.frameSize = displaySize(stream->codecpar->width, stream->codecpar->height,
                                   av_guess_sample_aspect_ratio(context.get(), stream, nullptr));
    if (decoder) {
        result.frame = representativeFrame(context.get(), streamIndex, decoder, result.length,
                                           result.frameSize, maxSide, deadline);
    }
    return result;
}

int KvMovieProbe::meanLuma(const QImage& image)
{
    if (image.isNull()) {
        return 0;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    qint64 sum = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            sum += 299 * qRed(line[x]) + 587 * qGreen(line[x]) + 114 * qBlue(line[x]);
        }
    }
    return static_cast<int>(sum / (1000 * qint64(rgb.width()) * rgb.height()));
}

} // namespace Kova
