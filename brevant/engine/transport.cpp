#include "transport.h"

#include <string>

#include "system_path.h"

namespace brevant {

namespace {

constexpr std::uint32_t kCutShort =
    SequencerDevice::kNotifyAborted | SequencerDevice::kNotifySuperseded;

}  // namespace

Transport::Transport(SongProject& project, RecorderSettings& settings, TransportView& view,
                     WaveOutDevice& output, WaveInDevice& input, SequencerDevice& sequencer)
    : project_(project),
      settings_(settings),
      view_(view),
      output_(output),
      playback_(project.song(), output),
      recording_(input),
      midi_(sequencer, view) {}

// ---- commands ---------------------------------------------------------------

void Transport::playCommand() {
    if (playing() || recording() || midi_.playing())
        return;
    if (song().trackCount > 0 && !startPlayback())
        return;
    startMidi();
    if (playing())
        output_.restart();
}

void Transport::recordCommand() {
    if (recording() || recording_.active())
        return;
    // The take starts together with the song: a running playback starts over.
    if (playing() || midi_.playing())
        stopTransport(StopMode::Playback);
    const bool armed = armRecording();
    if (armed && song().trackCount > 0)
        startPlayback();
    project_.setModified();
    if (!armed) {
        stopTransport(StopMode::Both);
        return;
    }
    const bool withSong = playing();
    const std::int32_t startAt = song().startSeconds;
    view_.showMessage("Ready?", "Record:");
    // The box ran a message loop: a stop, a failed buffer or a seek may have
    // come through it. Then nothing starts.
    if (!recording_.recording() || playing() != withSong || playback_.seeking() ||
        song().startSeconds != startAt) {
        stopTransport(StopMode::Both);
        return;
    }
    // MIDI first, then input, then output, so that all three begin together.
    startMidi();
    recording_.start();
    if (playing())
        output_.restart();
}

bool Transport::startPlayback() {
    if (song().trackCount < 1)
        return false;
    view_.enable(TransportControl::Play, false);
    view_.enable(TransportControl::RemoveTrack, false);
    view_.enable(TransportControl::AddTrack, false);
    const bool mono = settings_.monoPlaybackOption && recording();
    const Status started = playback_.start(mono);
    if (!started) {
        stopTransport(StopMode::Playback, started.message());
        return false;
    }
    view_.focusMainWindow();
    if (!recording())
        startTimerIfIdle();
    return true;
}

bool Transport::armRecording() {
    const auto chosen = view_.chooseTakePath("Record a track:", recording_.takePath());
    if (!chosen)
        return false;
    const std::string path = withExtension(*chosen, ".wav");
    if (!fitsPathField(path)) {
        view_.showMessage(pathTooLongMessage(path), "Error:");
        return false;
    }
    // Under another spelling too: recording would overwrite a track being played.
    if (namesTrackInSong(song(), path)) {
        view_.showMessage(
            "The file \"" + path +
                "\" is already in the track list: remove it before recording it again.",
            "Error:");
        return false;
    }
    view_.enable(TransportControl::Record, false);
    takeFormat_ = settings_.recordFormat;
    Status step = recording_.createTake(path, takeFormat_);
    if (step)
        step = recording_.openDevice(takeFormat_);
    if (!step) {
        stopTransport(StopMode::Recording, step.message());
        return false;
    }
    if (!playing())
        startTimerIfIdle();
    recording_.setRecording();
    return true;
}

SequencerDevice::Error Transport::startMidi() {
    if (song().midiFile.empty())
        return 0;
    const SequencerDevice::Error opened = midi_.open(song().midiFile);
    if (opened != 0)
        return opened;
    view_.enable(TransportControl::Play, false);
    if (!playing() && !recording())
        startTimerIfIdle();
    const SequencerDevice::Error played =
        midi_.play(MidiSync::startMs(song().startSeconds, song().midiCompensationMs));
    if (played != 0 && !playing() && !recording()) {
        // Nothing else runs: the refused file leaves the transport idle.
        view_.enable(TransportControl::Play, true);
        killTimerIfIdle();
    }
    return played;
}

// ---- the common stop --------------------------------------------------------

void Transport::stopTransport(StopMode mode, const std::string& message) {
    if (mode != StopMode::Recording)
        stopPlayback();
    if (mode != StopMode::Playback)
        stopRecording();
    killTimerIfIdle();
    if (!message.empty())
        view_.showDefaultCaption(message);
    view_.focusMainWindow();
}

bool Transport::stopAndKeepTake() {
    const int tracks = song().trackCount;
    stopTransport(StopMode::Both);
    return song().trackCount > tracks;
}

void Transport::killTimerIfIdle() {
    // The display keeps running while anything still plays, the MIDI file too.
    if (timerRunning_ && !playing() && !recording() && !midi_.playing()) {
        view_.killDisplayTimer();
        timerRunning_ = false;
    }
}

void Transport::stopPlayback() {
    playback_.stop();
    midi_.stopMidi();
    if (!playback_.seeking())
        song().startSeconds = 0;
    view_.enable(TransportControl::Play, true);
    view_.enable(TransportControl::AddTrack, true);
    view_.enable(TransportControl::RemoveTrack, true);
    if (!recording())
        view_.enable(TransportControl::Record, true);
    if (takeWaiting_) {
        takeWaiting_ = false;
        addTake();
    }
}

void Transport::stopRecording() {
    view_.setText(TransportControl::Status, "   ");
    if (!recording_.active())
        return;
    const RecordingStop stopped = recording_.stop();
    if (!stopped.finished)
        view_.showDefaultCaption(stopped.finished.message());
    view_.enable(TransportControl::Record, true);
    if (!stopped.wasRecording)
        return;
    // A take stopped before any sound arrived has an empty "data" chunk, which
    // no track may have: it would make every later Play fail. It is dropped.
    if (stopped.dataBytes < takeFormat_.blockAlign) {
        removeFile(recording_.takePath());
        view_.showDefaultCaption("Nothing was recorded, so the take was not added to the song.");
        return;
    }
    // While the song still plays, the take joins it when playback stops.
    if (playing() || midi_.playing()) {
        takeWaiting_ = true;
    } else {
        addTake();
    }
}

void Transport::addTake() {
    if (!project_.addTrack(recording_.takePath(), takeFormat_.samplesPerSec))
        return;
    recomputeGains();
    computeSongLength();
    view_.songChanged();
}

// ---- notices ----------------------------------------------------------------

void Transport::refillPlayBuffer(int slot) {
    switch (playback_.refill(slot)) {
        case RefillResult::SeekDrained:
            restartAfterSeek();
            break;
        case RefillResult::Failed:
            stopTransport(StopMode::Playback, playback_.lastError().message());
            break;
        default:
            break;
    }
}

void Transport::restartAfterSeek() {
    // The stop keeps the new start position while the engine is seeking.
    stopTransport(StopMode::Playback);
    playback_.endSeek();
    if (!startPlayback())
        return;
    startMidi();
    output_.restart();
}

void Transport::onInputData(int slot, std::uint32_t bytesRecorded) {
    Status error = Status::ok();
    if (recording_.onInputData(slot, bytesRecorded, error) == InputResult::Failed) {
        stopTransport(StopMode::Recording, error.message());
    }
}

void Transport::onMidiNotify(std::uint32_t flags) {
    // A play cut short by a close (our own stop or a seek's restart) reports
    // itself as aborted: that is not the end of the file.
    const bool cutShort = (flags & kCutShort) != 0;
    if (midiRestart_) {
        midiRestart_ = false;
        if (cutShort)
            return;
    }
    if (cutShort || !midi_.open())
        return;
    midi_.finished();
    if (!playing()) {
        stopTransport(StopMode::Playback);
        view_.enable(TransportControl::Play, true);
    }
    // Otherwise the end-of-song test of the display tick ends playback once
    // the audio has drained too.
}

void Transport::showTime(int seconds) {
    view_.setText(TransportControl::PlayTime, " Time: " + std::to_string(seconds));
}

void Transport::onTimerTick() {
    if (playing() && !dragging_ && playback_.frequency() > 0) {
        const auto seconds = static_cast<int>(playback_.playedSamples() / playback_.frequency()) +
                             song().startSeconds;
        showTime(seconds);
        view_.setPosition(seconds);
    } else if (!playing() && midi_.playing() && !dragging_) {
        const int seconds = midi_.midiPositionSeconds();
        showTime(seconds);
        view_.setPosition(seconds);
    }
    if (playing() && !midi_.playing() && playback_.closeIfDrained())
        stopTransport(StopMode::Playback);
    if (recording()) {
        const std::uint32_t recorded = recording_.recordedSamples();
        const std::uint32_t frequency = takeFormat_.samplesPerSec;
        view_.setText(TransportControl::RecordTime,
                      " Time: " + std::to_string(frequency > 0 ? recorded / frequency : 0));
        showRecording_ = !showRecording_;
        view_.setText(TransportControl::Status, showRecording_ ? "   RECORDING" : "   ");
        if (playing()) {
            const std::int64_t lag = std::int64_t{playback_.playedSamples()} - recorded;
            view_.setText(TransportControl::Lag, "Lag: " + std::to_string(lag));
        }
    }
}

void Transport::onPositionSlider(int code, int position) {
    if (code < 0 || code > 7)
        return;
    song().startSeconds = position;
    showTime(position);
    if (code == static_cast<int>(SliderCode::ThumbTrack)) {
        dragging_ = true;
        return;
    }
    if (code == static_cast<int>(SliderCode::ThumbPosition))
        dragging_ = false;
    if (playing()) {
        // A seek already under way restarts at the newest position.
        if (playback_.seeking())
            return;
        if (!playback_.beginSeek())
            restartAfterSeek();
    } else if (midi_.playing()) {
        midiRestart_ = true;
        midi_.stopMidi();
        startMidi();
    }
}

// ---- song length ------------------------------------------------------------

std::int32_t Transport::computeSongLength() {
    const SongLength length = brevant::computeSongLength(song(), midi_);
    songSeconds_ = length.seconds;
    if (!length.status) {
        stopTransport(StopMode::Playback, length.status.message());
        return songSeconds_;
    }
    const bool anything = song().trackCount > 0 || !song().midiFile.empty();
    view_.setPositionRange(anything ? songSeconds_ : 0);
    view_.setPosition(song().startSeconds);
    return songSeconds_;
}

void Transport::startTimerIfIdle() {
    if (timerRunning_)
        return;
    view_.startDisplayTimer();
    timerRunning_ = true;
}

}  // namespace brevant
