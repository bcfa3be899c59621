#include "dshow/graph_voice.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "audio/gain.h"

namespace platform::dshow {
namespace {

constexpr double kUnitsPerSecond = 10'000'000.0;

}  // namespace

void GraphVoice::MixInto(float* out, std::size_t frames, int rate) {
    const std::lock_guard lock(mutex_);
    if (state_ != State_Running || !audio_ || complete_) return;
    const audio::PcmView view{&audio_->format, audio_->data.data(), static_cast<std::size_t>(EndFrame())};
    if (cursor_.MixInto(view, out, frames, rate, audio::GainOfVolumeAndPan(volume_, balance_), false)) {
        complete_ = true;
        RaiseEvent(EC_COMPLETE);
    }
}

// Called with the lock held; the window's queue takes posts from any thread.
void GraphVoice::RaiseEvent(LONG code) {
    events_.push_back({code, 0, 0});
    eventArrived_.notify_all();
    if (notifyWindow_ != nullptr) PostMessageW(notifyWindow_, notifyMessage_, 0, notifyInstance_);
}

void GraphVoice::Connect(std::shared_ptr<const DecodedAudio> audio) {
    const std::lock_guard lock(mutex_);
    audio_ = std::move(audio);
    cursor_.SetPosition(0.0);
    stopTime_ = -1;
    complete_ = false;
}

void GraphVoice::SetState(FILTER_STATE state) {
    const std::lock_guard lock(mutex_);
    state_ = state;
}

FILTER_STATE GraphVoice::State() {
    const std::lock_guard lock(mutex_);
    return state_;
}

double GraphVoice::FramesOfTime(LONGLONG time) const {
    return static_cast<double>(time) * audio_->format.rate / kUnitsPerSecond;
}

LONGLONG GraphVoice::TimeOfFrames(double frames) const {
    return std::llround(frames * kUnitsPerSecond / audio_->format.rate);
}

double GraphVoice::EndFrame() const {
    const double length = static_cast<double>(audio_->Frames());
    return stopTime_ < 0 ? length : std::min(length, std::floor(FramesOfTime(stopTime_)));
}

HRESULT GraphVoice::Duration(LONGLONG* duration) {
    if (duration == nullptr) return E_POINTER;
    const std::lock_guard lock(mutex_);
    if (!audio_) return E_NOTIMPL;
    *duration = TimeOfFrames(static_cast<double>(audio_->Frames()));
    return S_OK;
}

HRESULT GraphVoice::Positions(LONGLONG* current, LONGLONG* stop) {
    const std::lock_guard lock(mutex_);
    if (!audio_) return E_NOTIMPL;
    const LONGLONG stopTime = stopTime_ < 0 ? TimeOfFrames(static_cast<double>(audio_->Frames())) : stopTime_;
    if (current != nullptr) *current = complete_ ? stopTime : std::min(stopTime, TimeOfFrames(cursor_.Position()));
    if (stop != nullptr) *stop = stopTime;
    return S_OK;
}

HRESULT GraphVoice::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) {
    const std::lock_guard lock(mutex_);
    if (!audio_) return E_NOTIMPL;
    const DWORD currentMode = currentFlags & AM_SEEKING_PositioningBitsMask;
    const DWORD stopMode = stopFlags & AM_SEEKING_PositioningBitsMask;
    if ((currentMode != AM_SEEKING_NoPositioning && current == nullptr) ||
        (stopMode != AM_SEEKING_NoPositioning && stop == nullptr))
        return E_POINTER;
    const double length = static_cast<double>(audio_->Frames());
    if (stopMode == AM_SEEKING_AbsolutePositioning) stopTime_ = std::max<LONGLONG>(0, *stop);
    if (stopMode == AM_SEEKING_RelativePositioning || stopMode == AM_SEEKING_IncrementalPositioning) {
        const LONGLONG base = stopTime_ < 0 ? TimeOfFrames(length) : stopTime_;
        stopTime_ = std::max<LONGLONG>(0, base + *stop);
    }
    if (currentMode == AM_SEEKING_AbsolutePositioning)
        cursor_.SetPosition(std::clamp(FramesOfTime(*current), 0.0, length));
    if (currentMode == AM_SEEKING_RelativePositioning || currentMode == AM_SEEKING_IncrementalPositioning)
        cursor_.SetPosition(std::clamp(cursor_.Position() + FramesOfTime(*current), 0.0, length));
    complete_ = cursor_.Position() >= EndFrame();
    return S_OK;
}

void GraphVoice::SetVolume(LONG volume) {
    const std::lock_guard lock(mutex_);
    volume_ = volume;
}

void GraphVoice::SetBalance(LONG balance) {
    const std::lock_guard lock(mutex_);
    balance_ = balance;
}

LONG GraphVoice::Volume() {
    const std::lock_guard lock(mutex_);
    return volume_;
}

LONG GraphVoice::Balance() {
    const std::lock_guard lock(mutex_);
    return balance_;
}

void GraphVoice::SetNotifyWindow(HWND window, UINT message, LONG_PTR instance) {
    const std::lock_guard lock(mutex_);
    notifyWindow_ = window;
    notifyMessage_ = message;
    notifyInstance_ = instance;
}

HRESULT GraphVoice::TakeEvent(LONG* code, LONG_PTR* param1, LONG_PTR* param2, LONG timeout) {
    if (code == nullptr || param1 == nullptr || param2 == nullptr) return E_POINTER;
    std::unique_lock lock(mutex_);
    const auto arrived = [this] { return !events_.empty(); };
    if (timeout < 0)  // INFINITE
        eventArrived_.wait(lock, arrived);
    else
        eventArrived_.wait_for(lock, std::chrono::milliseconds(timeout), arrived);
    if (events_.empty()) return E_ABORT;
    const Event event = events_.front();
    events_.pop_front();
    *code = event.code;
    *param1 = event.param1;
    *param2 = event.param2;
    return S_OK;
}

}  // namespace platform::dshow
