// What a filter graph plays: the connected source's audio, its position,
// the run state, volume and balance, and the events the end of the stream
// raises. The mixer's thread advances it; the graph's calls read and set it.
#pragma once

#include <dshow.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include "audio/mixer.h"
#include "audio/pcm_cursor.h"
#include "dshow/decoded_audio.h"

namespace platform::dshow {

class GraphVoice final : public audio::Voice {
public:
    void MixInto(float* out, std::size_t frames, int rate) override;

    // A new stream starts at its beginning; null disconnects.
    void Connect(std::shared_ptr<const DecodedAudio> audio);

    void SetState(FILTER_STATE state);
    FILTER_STATE State();

    // 100-nanosecond units.
    HRESULT Duration(LONGLONG* duration);
    HRESULT Positions(LONGLONG* current, LONGLONG* stop);
    HRESULT SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags);

    void SetVolume(LONG volume);
    void SetBalance(LONG balance);
    LONG Volume();
    LONG Balance();

    void SetNotifyWindow(HWND window, UINT message, LONG_PTR instance);
    // The oldest event, waiting up to timeout milliseconds; E_ABORT when none came.
    HRESULT TakeEvent(LONG* code, LONG_PTR* param1, LONG_PTR* param2, LONG timeout);

private:
    struct Event {
        LONG code;
        LONG_PTR param1;
        LONG_PTR param2;
    };

    double FramesOfTime(LONGLONG time) const;
    LONGLONG TimeOfFrames(double frames) const;
    // Where the stream ends: its stop position, at most its length.
    double EndFrame() const;
    void RaiseEvent(LONG code);

    std::mutex mutex_;
    std::condition_variable eventArrived_;
    std::shared_ptr<const DecodedAudio> audio_;
    audio::PcmCursor cursor_;
    LONGLONG stopTime_ = -1;  // -1: the end of the stream
    bool complete_ = false;
    FILTER_STATE state_ = State_Stopped;
    LONG volume_ = 0;
    LONG balance_ = 0;
    HWND notifyWindow_ = nullptr;
    UINT notifyMessage_ = 0;
    LONG_PTR notifyInstance_ = 0;
    std::deque<Event> events_;
};

}  // namespace platform::dshow
